#include "base/folder_picker_win.h"

#include "base/handles_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace qv {

namespace {

// CoTaskMemAlloc'd memory (item ids, display names), freed once.
template <typename T> class CoTaskMemory {
  public:
    CoTaskMemory() = default;
    explicit CoTaskMemory(T pointer) : pointer_(pointer) {}
    ~CoTaskMemory() { ::CoTaskMemFree(pointer_); }
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;
    T get() const { return pointer_; }
    T* put() { return &pointer_; }

  private:
    T pointer_ = nullptr;
};

// A COM interface released once.
template <typename T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return pointer_; }
    T** put() { return &pointer_; }

  private:
    T* pointer_ = nullptr;
};

// CoInitializeEx for the picker's call; the dialog needs an apartment on its thread.
class ComApartment {
  public:
    ComApartment()
        : initialised_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

} // namespace

bool IsVistaOrLater() {
    OSVERSIONINFOEXW wanted{sizeof(wanted)};
    wanted.dwMajorVersion = 6;
    wanted.dwMinorVersion = 0;
    wanted.wServicePackMajor = 0;
    wanted.wServicePackMinor = 0;
    ULONGLONG mask = 0;
    mask = ::VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMINOR, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&wanted,
                                VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR |
                                    VER_SERVICEPACKMINOR,
                                mask) != FALSE;
}

FolderChoice PickFolderModern(HWND owner) {
    ComApartment apartment;
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(dialog.put()))))
        return PickFolderLegacy(owner, L"");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    if (FAILED(dialog->Show(owner))) return {};
    ComRef<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put()))) return {};
    CoTaskMemory<PWSTR> path;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path.get())
        return {FolderChoice::Outcome::NoPath, L""};
    return {FolderChoice::Outcome::Picked, path.get()};
}

FolderChoice PickFolderLegacy(HWND owner, std::wstring_view title) {
    ComApartment apartment;
    const std::wstring titleText(title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = titleText.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    CoTaskMemory<PIDLIST_ABSOLUTE> item(::SHBrowseForFolderW(&browse));
    if (!item.get()) return {};
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(item.get(), path)) return {FolderChoice::Outcome::NoPath, L""};
    return {FolderChoice::Outcome::Picked, path};
}

} // namespace qv
