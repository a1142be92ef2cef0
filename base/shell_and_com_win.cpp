#include "base/shell_and_com_win.h"

#include "base/system_library_win.h"

#include <shellapi.h>

namespace qv {

// Each function is looked up once; decltype names the system's type without importing it.
#define QV_SYSTEM_FUNCTION(library, name)                                                          \
    static const auto function = SystemFunction<decltype(&::name)>(library, #name)

namespace shell {

namespace {

CallObserver observer = nullptr;

void Observe() {
    if (observer) observer();
}

} // namespace

void SetCallObserver(CallObserver newObserver) {
    observer = newObserver;
}

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                        INT show) {
    Observe();
    QV_SYSTEM_FUNCTION(L"shell32.dll", ShellExecuteW);
    return function ? function(owner, verb, file, parameters, folder, show) : nullptr;
}

BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create) {
    QV_SYSTEM_FUNCTION(L"shell32.dll", SHGetSpecialFolderPathW);
    return function ? function(owner, path, folder, create) : FALSE;
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW browse) {
    Observe();
    QV_SYSTEM_FUNCTION(L"shell32.dll", SHBrowseForFolderW);
    return function ? function(browse) : nullptr;
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE item, LPWSTR path) {
    QV_SYSTEM_FUNCTION(L"shell32.dll", SHGetPathFromIDListW);
    return function ? function(item, path) : FALSE;
}

} // namespace shell

namespace com {

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) {
    QV_SYSTEM_FUNCTION(L"ole32.dll", CoInitializeEx);
    return function ? function(reserved, model) : E_FAIL;
}

void CoUninitialize() {
    QV_SYSTEM_FUNCTION(L"ole32.dll", CoUninitialize);
    if (function) function();
}

void CoTaskMemFree(LPVOID memory) {
    QV_SYSTEM_FUNCTION(L"ole32.dll", CoTaskMemFree);
    if (function) function(memory);
}

HRESULT CoCreateInstance(REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object) {
    QV_SYSTEM_FUNCTION(L"ole32.dll", CoCreateInstance);
    if (object) *object = nullptr;
    return function ? function(type, outer, context, interfaceId, object) : E_FAIL;
}

} // namespace com

} // namespace qv
