// The shell's and COM's functions the launcher calls, with the system's signatures. Neither DLL
// is needed before the first paint: each is loaded from the system folder at its first call
// (system_library_win.h). A function whose DLL cannot be loaded fails as the system's would.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace qv {

namespace shell {
// Called on the calling thread just before each call that opens a page, a file or a folder, for
// tests to see that thread's state at that moment (its COM apartment); none by default.
using CallObserver = void (*)();
void SetCallObserver(CallObserver observer);

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                        INT show);
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create);
PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW browse);
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE item, LPWSTR path);
} // namespace shell

namespace com {
HRESULT CoInitializeEx(LPVOID reserved, DWORD model);
void CoUninitialize();
void CoTaskMemFree(LPVOID memory);
HRESULT CoCreateInstance(REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object);
} // namespace com

} // namespace qv
