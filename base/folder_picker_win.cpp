#include "base/folder_picker_win.h"

#include "base/com_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace qv {

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
    if (FAILED(com::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
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
    CoTaskMemory<PIDLIST_ABSOLUTE> item(shell::SHBrowseForFolderW(&browse));
    if (!item.get()) return {};
    wchar_t path[MAX_PATH] = {};
    if (!shell::SHGetPathFromIDListW(item.get(), path)) return {FolderChoice::Outcome::NoPath, L""};
    return {FolderChoice::Outcome::Picked, path};
}

} // namespace qv
