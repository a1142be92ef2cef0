// The two operations through which every registry string of the launcher is read and written,
// and the enumeration of a key's sub-keys.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr REGSAM ReadView64 = KEY_READ | KEY_WOW64_64KEY;
inline constexpr REGSAM ReadView32 = KEY_READ | KEY_WOW64_32KEY;

// The value's data as text, whatever its type: the UTF-16 units up to the first NUL (or all of
// them), trimmed. Never fails: any failure gives "".
std::wstring ReadRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                                REGSAM access);
// The same, of a key already open (for reading several values of one key).
std::wstring ReadRegistryString(HKEY key, std::wstring_view valueName);

// Stores the trimmed text as REG_SZ without a terminating NUL ("" as a value with no data),
// creating the key when needed. A failure is shown to the user here; callers go on with the
// value they meant to store, so the result is informational.
bool WriteRegistryString(HKEY hive, std::wstring_view keyPath, std::wstring_view valueName,
                         std::wstring_view text);

// The names of the key's sub-keys in index order, read into a buffer of bufferLength characters
// (terminator included): a longer name is skipped. Any other failure ends the list, so a broken
// key cannot keep a scan going; a key that cannot be opened has none.
std::vector<std::wstring> RegistrySubkeyNames(HKEY hive, std::wstring_view keyPath, REGSAM access,
                                              std::size_t bufferLength);
// The same, of a key already open.
std::vector<std::wstring> RegistrySubkeyNames(HKEY key, std::size_t bufferLength);

} // namespace qv
