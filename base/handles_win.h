// Owners for every kind of Win32 handle the launcher holds: each closes its handle exactly once,
// so no code path needs a hand-written CloseHandle or RegCloseKey.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <wininet.h>

#include <utility>

namespace qv {

template <typename Traits>
class Unique {
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
QV_HANDLE_TRAITS(IconTraits, HICON, nullptr, ::DestroyIcon);
QV_HANDLE_TRAITS(GdiObjectTraits, HGDIOBJ, nullptr, ::DeleteObject);
QV_HANDLE_TRAITS(MemoryDcTraits, HDC, nullptr, ::DeleteDC);
QV_HANDLE_TRAITS(GlobalTraits, HGLOBAL, nullptr, ::GlobalFree);
QV_HANDLE_TRAITS(WindowTraits, HWND, nullptr, ::DestroyWindow);
QV_HANDLE_TRAITS(SidTraits, PSID, nullptr, ::FreeSid);
QV_HANDLE_TRAITS(InternetTraits, HINTERNET, nullptr, ::InternetCloseHandle);
#undef QV_HANDLE_TRAITS

using UniqueHandle = Unique<KernelHandleTraits>;   // processes, threads, events
using UniqueFile = Unique<FileHandleTraits>;       // CreateFileW and snapshots
using UniqueFind = Unique<FindHandleTraits>;       // FindFirstFileW
using UniqueKey = Unique<KeyTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;   // bitmaps, fonts, brushes
using UniqueMemoryDc = Unique<MemoryDcTraits>;     // CreateCompatibleDC
using UniqueGlobal = Unique<GlobalTraits>;
using UniqueWindow = Unique<WindowTraits>;
using UniqueSid = Unique<SidTraits>;               // AllocateAndInitializeSid
using UniqueInternet = Unique<InternetTraits>;

// Both handles CreateProcessW returns.
struct ProcessHandles {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD processId = 0;
};

// A window's device context from GetDC, given back to that same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC for the scope's lifetime.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectScope() { ::SelectObject(dc_, previous_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GlobalLock / GlobalUnlock.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_) ::GlobalUnlock(memory_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// OpenClipboard / CloseClipboard.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// CoInitializeEx / CoUninitialize on the calling thread.
class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED)
        : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, model))) {}
    ~ComScope() {
        if (initialised_) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool IsInitialised() const { return initialised_; }

private:
    bool initialised_;
};

// A COM interface pointer released once.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(ComRef&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    T** put() {
        reset();
        return &ptr_;
    }
    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    T* ptr_ = nullptr;
};

// Memory from CoTaskMemAlloc (shell item names, PIDLs).
template <typename T>
class CoTaskMemory {
public:
    CoTaskMemory() = default;
    ~CoTaskMemory() { ::CoTaskMemFree(ptr_); }
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;
    T get() const { return ptr_; }
    T* put() {
        ::CoTaskMemFree(ptr_);
        ptr_ = nullptr;
        return &ptr_;
    }

private:
    T ptr_ = nullptr;
};

} // namespace qv
