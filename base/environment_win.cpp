#include "base/environment_win.h"

#include <windows.h>

namespace qv {

std::optional<std::wstring> FindEnvironmentVariable(std::wstring_view name) {
    const std::wstring key(name);
    std::wstring value(64, L'\0');
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length =
            ::GetEnvironmentVariableW(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::wstring();
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length); // length now counts the terminator
    }
}

std::wstring ReadEnvironmentVariable(std::wstring_view name) {
    return FindEnvironmentVariable(name).value_or(L"");
}

bool SetEnvironmentVariableText(std::wstring_view name, std::wstring_view value) {
    return ::SetEnvironmentVariableW(std::wstring(name).c_str(), std::wstring(value).c_str()) !=
           FALSE;
}

bool RemoveEnvironmentVariable(std::wstring_view name) {
    return ::SetEnvironmentVariableW(std::wstring(name).c_str(), nullptr) != FALSE;
}

} // namespace qv
