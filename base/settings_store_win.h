// The launcher's per-user settings key and the per-user environment key.
#pragma once

#include <string>
#include <string_view>

namespace qv {

inline constexpr wchar_t SettingsKeyPath[] = L"Software\\Quorvex";
inline constexpr wchar_t EnvironmentKeyPath[] = L"Environment";

// Settings values of the launcher's own key (HKEY_CURRENT_USER, 64-bit view).
std::wstring ReadSetting(std::wstring_view valueName);
bool WriteSetting(std::wstring_view valueName, std::wstring_view text);

} // namespace qv
