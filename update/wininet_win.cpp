#include "update/wininet_win.h"

#include "base/launch_log_win.h"
#include "base/text.h"

#include <initializer_list>
#include <optional>

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
    functions.module = module;
    if (!Find(module, "InternetOpenW", functions.InternetOpenW) ||
        !Find(module, "InternetCrackUrlW", functions.InternetCrackUrlW) ||
        !Find(module, "InternetConnectW", functions.InternetConnectW) ||
        !Find(module, "HttpOpenRequestW", functions.HttpOpenRequestW) ||
        !Find(module, "InternetSetOptionW", functions.InternetSetOptionW) ||
        !Find(module, "HttpSendRequestW", functions.HttpSendRequestW) ||
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

std::wstring WinInetErrorText(DWORD error) {
    const WinInet* winInet = LoadWinInet();
    if (!winInet) return SystemErrorText(error);
    // WinINet's own table first, the system's after it; English first, as in the rest of the log.
    for (const DWORD language : {DWORD{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}, DWORD{0}}) {
        wchar_t* buffer = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            winInet->module, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
        ::LocalFree(buffer);
        if (!text.empty()) return Trim(text);
    }
    return L"";
}

} // namespace qv
