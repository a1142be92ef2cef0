// Where the launcher's DLLs come from. A DLL imported at load time is resolved before any code of
// ours runs and, unless the system lists it as known, is looked for beside the program first,
// where a planted file would win. So the program imports only what its first paint needs, limits
// every later load by name to the system folder, and loads the rest at first use by full path.
#pragma once

#include <windows.h>

namespace qv {

// Later loads by name (ours, the shell's, COM's) search the system folder only. 0 once done;
// otherwise the system's error, ERROR_PROC_NOT_FOUND where the system cannot do it (Windows 7
// without its 2011 loader update).
DWORD LimitLibrarySearchToSystemFolder();

// The named function of the system folder's DLL, loaded by full path at the first call and kept
// for the life of the process; nullptr when the DLL or the function is missing.
FARPROC SystemLibraryFunction(const wchar_t* library, const char* name);

template <typename Function> Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(SystemLibraryFunction(library, name)));
}

} // namespace qv
