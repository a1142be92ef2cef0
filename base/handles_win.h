// Owners for every kind of Win32 handle the launcher holds: each closes its handle exactly once,
// so no code path needs a hand-written CloseHandle or RegCloseKey. An owner type is added with
// its first user.
#pragma once

#include <windows.h>

#include <utility>

namespace qv {

template <typename Traits> class Unique {
  public:
    using Type = typename Traits::Type;

    Unique() = default;
    explicit Unique(Type handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    // For out-parameters: drops what is held and lends the slot.
    Type* put() {
        reset();
        return &handle_;
    }
    [[nodiscard]] Type release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Type handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

  private:
    Type handle_ = Traits::Invalid();
};

#define QV_HANDLE_TRAITS(Name, HandleType, InvalidValue, CloseCall)                                \
    struct Name {                                                                                  \
        using Type = HandleType;                                                                   \
        static Type Invalid() { return InvalidValue; }                                             \
        static void Close(Type h) { CloseCall(h); }                                                \
    }

QV_HANDLE_TRAITS(KernelHandleTraits, HANDLE, nullptr, ::CloseHandle);
QV_HANDLE_TRAITS(FileHandleTraits, HANDLE, INVALID_HANDLE_VALUE, ::CloseHandle);
QV_HANDLE_TRAITS(FindHandleTraits, HANDLE, INVALID_HANDLE_VALUE, ::FindClose);
QV_HANDLE_TRAITS(KeyTraits, HKEY, nullptr, ::RegCloseKey);
QV_HANDLE_TRAITS(MenuTraits, HMENU, nullptr, ::DestroyMenu);
QV_HANDLE_TRAITS(WindowTraits, HWND, nullptr, ::DestroyWindow);
QV_HANDLE_TRAITS(SidTraits, PSID, nullptr, ::FreeSid);
QV_HANDLE_TRAITS(FontTraits, HFONT, nullptr, ::DeleteObject);
QV_HANDLE_TRAITS(GlobalTraits, HGLOBAL, nullptr, ::GlobalFree);
QV_HANDLE_TRAITS(BitmapTraits, HBITMAP, nullptr, ::DeleteObject);
QV_HANDLE_TRAITS(EnhMetaFileTraits, HENHMETAFILE, nullptr, ::DeleteEnhMetaFile);
QV_HANDLE_TRAITS(MemoryDcTraits, HDC, nullptr, ::DeleteDC);
QV_HANDLE_TRAITS(IconTraits, HICON, nullptr, ::DestroyIcon);
QV_HANDLE_TRAITS(RegionTraits, HRGN, nullptr, ::DeleteObject);
#undef QV_HANDLE_TRAITS

using UniqueHandle = Unique<KernelHandleTraits>; // processes, threads, events
using UniqueFile = Unique<FileHandleTraits>;     // CreateFileW and snapshots
using UniqueFind = Unique<FindHandleTraits>;     // FindFirstFileW
using UniqueKey = Unique<KeyTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueWindow = Unique<WindowTraits>;
using UniqueSid = Unique<SidTraits>;       // AllocateAndInitializeSid
using UniqueFont = Unique<FontTraits>;     // CreateFontIndirectW
using UniqueGlobal = Unique<GlobalTraits>; // GlobalAlloc, until the clipboard takes it
using UniqueBitmap = Unique<BitmapTraits>;
using UniqueEnhMetaFile = Unique<EnhMetaFileTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>; // CreateCompatibleDC
using UniqueIcon = Unique<IconTraits>;         // LoadImageW without LR_SHARED
using UniqueRegion = Unique<RegionTraits>;

// A window's device context (the screen's for no window), released with the owner.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Both handles CreateProcessW returns.
struct ProcessHandles {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD processId = 0;
    DWORD error = 0; // GetLastError() of a start that failed
};

} // namespace qv
