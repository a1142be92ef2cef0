#include "update/wininet_win.h"

#include <optional>
#include <string>

namespace qv {

namespace {

template <typename Function> bool Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

std::optional<WinInet> Load() {
    // From the system folder by its full path, never from beside the program; kept loaded for
    // the life of the process, since later checks use it too.
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    HMODULE module = ::LoadLibraryW((std::wstring(system) + L"\\wininet.dll").c_str());
    if (!module) return std::nullopt;
    WinInet functions{};
    if (!Find(module, "InternetOpenW", functions.InternetOpenW) ||
        !Find(module, "InternetOpenUrlW", functions.InternetOpenUrlW) ||
        !Find(module, "InternetReadFile", functions.InternetReadFile) ||
        !Find(module, "HttpQueryInfoW", functions.HttpQueryInfoW) ||
        !Find(module, "InternetCloseHandle", functions.InternetCloseHandle))
        return std::nullopt;
    return functions;
}

} // namespace

const WinInet* LoadWinInet() {
    static const std::optional<WinInet> loaded = Load();
    return loaded ? &*loaded : nullptr;
}

} // namespace qv
