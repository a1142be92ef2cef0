#include "base/system_library_win.h"

#include "base/system_win.h"

#include <string>

namespace qv {

DWORD LimitLibrarySearchToSystemFolder() {
    // Looked up rather than imported: a missing import would stop the program from loading.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDirectories) return ERROR_PROC_NOT_FOUND;
    return setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) ? 0 : ::GetLastError();
}

FARPROC SystemLibraryFunction(const wchar_t* library, const char* name) {
    const std::wstring path = SystemFolderFile(library);
    HMODULE module = path.empty() ? nullptr : ::LoadLibraryW(path.c_str());
    return module ? ::GetProcAddress(module, name) : nullptr;
}

} // namespace qv
