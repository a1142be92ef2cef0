#include "base/environment_win.h"

#include "base/terminated_text.h"

#include <windows.h>

#include <iterator>

namespace qv {

std::optional<std::wstring> FindEnvironmentVariable(std::wstring_view name) {
    // Discovery asks for about a hundred variables: a short name and a short value need no heap.
    const TerminatedText terminated(name);
    const wchar_t* key = terminated.c_str();
    wchar_t shortValue[260];
    ::SetLastError(ERROR_SUCCESS);
    DWORD length = ::GetEnvironmentVariableW(key, shortValue, 260);
    if (length == 0)
        return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                          : std::optional(std::wstring());
    if (length < 260) return std::wstring(shortValue, length);
    std::wstring value;
    for (;;) {
        value.resize(length); // length counts the terminator
        ::SetLastError(ERROR_SUCCESS);
        const DWORD written =
            ::GetEnvironmentVariableW(key, value.data(), static_cast<DWORD>(value.size()));
        if (written == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::wstring();
        }
        if (written < value.size()) {
            value.resize(written);
            return value;
        }
        length = written;
    }
}

std::wstring ReadEnvironmentVariable(std::wstring_view name) {
    return FindEnvironmentVariable(name).value_or(L"");
}

bool SetEnvironmentVariableText(std::wstring_view name, std::wstring_view value) {
    return ::SetEnvironmentVariableW(TerminatedText(name).c_str(), TerminatedText(value).c_str()) !=
           FALSE;
}

bool RemoveEnvironmentVariable(std::wstring_view name) {
    return ::SetEnvironmentVariableW(std::wstring(name).c_str(), nullptr) != FALSE;
}

} // namespace qv
