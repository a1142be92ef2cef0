#include "app/settings_store_win.h"

#include "base/handles_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"

#include <vector>

namespace qv {

namespace {

constexpr wchar_t WriteFailureText[] =
    L"Recording data in the registry failed.\n"
    L"Restarting Quorvex Launcher as administrator may help.";
constexpr wchar_t WriteFailureCaption[] = L"Quorvex Launcher";

bool ReportWriteFailure() {
    Prompts().ShowMessage(::GetActiveWindow(), WriteFailureText, WriteFailureCaption,
                          MB_OK | MB_ICONERROR);
    return false;
}

} // namespace

std::wstring ReadRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                                REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExW(hive, std::wstring(keyPath).c_str(), 0, access, key.put()) != ERROR_SUCCESS)
        return L"";
    const std::wstring name(valueName);
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return L"";
    // Two spare zero bytes: data of another program may lack its terminator or end in an odd byte.
    std::vector<BYTE> data(static_cast<std::size_t>(size) + 2, 0);
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return L"";
    return Trim(TextFromUtf16Bytes(data.data(), size));
}

bool WriteRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                         std::wstring_view text) {
    const std::vector<std::uint8_t> data = Utf16BytesFromText(Trim(text));
    UniqueKey key;
    // Written in the same (64-bit) view the settings are read from.
    if (::RegCreateKeyExW(hive, std::wstring(keyPath).c_str(), 0, nullptr, 0,
                          KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        return ReportWriteFailure();
    const LONG status = ::RegSetValueExW(key.get(), std::wstring(valueName).c_str(), 0, REG_SZ,
                                         data.empty() ? nullptr : data.data(),
                                         static_cast<DWORD>(data.size()));
    return status == ERROR_SUCCESS || ReportWriteFailure();
}

std::wstring ReadSetting(std::wstring_view valueName) {
    return ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, valueName, ReadView64);
}

bool WriteSetting(std::wstring_view valueName, std::wstring_view text) {
    return WriteRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, valueName, text);
}

} // namespace qv
