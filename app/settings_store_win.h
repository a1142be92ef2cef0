// The per-user settings key and the two operations through which every registry string of the
// launcher is read and written.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

inline constexpr wchar_t SettingsKeyPath[] = L"Software\\Quorvex";
inline constexpr wchar_t EnvironmentKeyPath[] = L"Environment";

inline constexpr REGSAM ReadView64 = KEY_READ | KEY_WOW64_64KEY;
inline constexpr REGSAM ReadView32 = KEY_READ | KEY_WOW64_32KEY;

// The value's data as text, whatever its type: the UTF-16 units up to the first NUL (or all of
// them), trimmed. Never fails: any failure gives "".
std::wstring ReadRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                                REGSAM access);

// Stores the trimmed text as REG_SZ without a terminating NUL ("" as a value with no data),
// creating the key when needed. A failure is shown to the user here; callers go on with the
// value they meant to store, so the result is informational.
bool WriteRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                         std::wstring_view text);

// Settings values of the launcher's own key.
std::wstring ReadSetting(std::wstring_view valueName);
bool WriteSetting(std::wstring_view valueName, std::wstring_view text);

} // namespace qv
