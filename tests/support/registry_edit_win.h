// Registry keys and values as tests, stand-ins and benchmarks make and remove them, in the view
// they name (KEY_WOW64_32KEY or KEY_WOW64_64KEY). Every change says by its result whether it
// happened.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// Stores exactly these bytes as the value, making the key when it is missing.
[[nodiscard]] bool WriteRegistryValue(HKEY hive, const std::wstring& path, const std::wstring& name,
                                      DWORD type, const void* data, DWORD size,
                                      REGSAM view = KEY_WOW64_64KEY);
// REG_SZ text with its terminating NUL, as installers store it.
[[nodiscard]] bool WriteRegistryText(HKEY hive, const std::wstring& path, const std::wstring& name,
                                     std::wstring_view text, REGSAM view = KEY_WOW64_64KEY);
// True when the key and its subkeys are gone, also when there never was such a key.
[[nodiscard]] bool DeleteRegistryTree(HKEY hive, const std::wstring& path,
                                      REGSAM view = KEY_WOW64_64KEY);
// True when the value is gone, also when there never was such a value or key.
[[nodiscard]] bool DeleteRegistryValue(HKEY hive, const std::wstring& path,
                                       const std::wstring& name, REGSAM view = KEY_WOW64_64KEY);

// Raw data and type of a value as stored.
struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};
RawValue ReadRawValue(HKEY hive, std::wstring_view path, std::wstring_view name,
                      REGSAM view = KEY_WOW64_64KEY);

} // namespace qv::test
