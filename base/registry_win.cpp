#include "base/registry_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"
#include "base/terminated_text.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "texts/settings_texts.h"

#include <cstdint>

namespace qv {

namespace {

bool ReportWriteFailure(std::wstring_view keyPath, std::wstring_view valueName, LONG status) {
    LogFailure(L"write the registry value", std::wstring(keyPath) + L"\\" + std::wstring(valueName),
               static_cast<DWORD>(status));
    ShowMessage(::GetActiveWindow(), SettingsWriteFailure, SettingsWriteFailureCaption,
                MB_OK | MB_ICONERROR);
    return false;
}

// RegSetValueExW counts a terminating NUL of its own when the character after a string's data
// is 0, so the data passed carry one more character that is not.
std::vector<std::uint8_t> UnterminatedStringData(std::wstring_view text) {
    std::vector<std::uint8_t> data = Utf16BytesFromText(text);
    data.push_back(0xFF);
    data.push_back(0xFF);
    return data;
}

} // namespace

std::wstring ReadRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                                REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExW(hive, TerminatedText(keyPath).c_str(), 0, access, key.put()) !=
        ERROR_SUCCESS)
        return L"";
    return ReadRegistryString(key.get(), valueName);
}

std::wstring ReadRegistryString(HKEY key, std::wstring_view valueName) {
    if (!key) return L"";
    const TerminatedText name(valueName);
    // Most values fit a path's length and are read in one call, with no heap; a longer one is
    // read again at its size. Two spare zero bytes: data of another program may lack its
    // terminator or end in an odd byte.
    constexpr DWORD FirstReadBytes = 520;
    BYTE shortData[FirstReadBytes + 2] = {};
    DWORD size = FirstReadBytes;
    LONG status = ::RegQueryValueExW(key, name.c_str(), nullptr, nullptr, shortData, &size);
    if (status == ERROR_SUCCESS) return size == 0 ? L"" : Trim(TextFromUtf16Bytes(shortData, size));
    if (status != ERROR_MORE_DATA) return L"";
    std::vector<BYTE> data(static_cast<std::size_t>(size) + 2, 0);
    status = ::RegQueryValueExW(key, name.c_str(), nullptr, nullptr, data.data(), &size);
    if (status != ERROR_SUCCESS || size == 0) return L"";
    return Trim(TextFromUtf16Bytes(data.data(), size));
}

bool WriteRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                         std::wstring_view text) {
    const std::wstring trimmed = Trim(text);
    const std::vector<std::uint8_t> data = UnterminatedStringData(trimmed);
    const DWORD size = static_cast<DWORD>(data.size() - 2);
    UniqueKey key;
    // Written in the same (64-bit) view the settings are read from.
    if (const LONG opened =
            ::RegCreateKeyExW(hive, std::wstring(keyPath).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, key.put(), nullptr);
        opened != ERROR_SUCCESS)
        return ReportWriteFailure(keyPath, valueName, opened);
    // No data at all for "": there is no character before the end for the NUL rule to look at.
    const LONG status = ::RegSetValueExW(key.get(), std::wstring(valueName).c_str(), 0, REG_SZ,
                                         size == 0 ? nullptr : data.data(), size);
    return status == ERROR_SUCCESS || ReportWriteFailure(keyPath, valueName, status);
}

std::vector<std::wstring> RegistrySubkeyNames(HKEY hive, std::wstring_view keyPath, REGSAM access,
                                              std::size_t bufferLength) {
    UniqueKey key;
    if (::RegOpenKeyExW(hive, TerminatedText(keyPath).c_str(), 0, access, key.put()) !=
        ERROR_SUCCESS)
        return {};
    return RegistrySubkeyNames(key.get(), bufferLength);
}

std::vector<std::wstring> RegistrySubkeyNames(HKEY key, std::size_t bufferLength) {
    std::vector<std::wstring> names;
    if (!key) return names;
    std::vector<wchar_t> name(bufferLength, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status =
            ::RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return names;
        names.emplace_back(name.data(), length);
    }
}

} // namespace qv
