#include "tests/support/registry_edit_win.h"

#include "base/handles_win.h"

namespace qv::test {

bool WriteRegistryValue(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD type,
                        const void* data, DWORD size, REGSAM view) {
    UniqueKey key;
    return ::RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                             key.put(), nullptr) == ERROR_SUCCESS &&
           ::RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                            size) == ERROR_SUCCESS;
}

bool WriteRegistryText(HKEY hive, const std::wstring& path, const std::wstring& name,
                       std::wstring_view text, REGSAM view) {
    const std::wstring value(text);
    return WriteRegistryValue(hive, path, name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), view);
}

bool DeleteRegistryTree(HKEY hive, const std::wstring& path, REGSAM view) {
    UniqueKey key;
    const LONG opened = ::RegOpenKeyExW(hive, path.c_str(), 0, KEY_ALL_ACCESS | view, key.put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS || ::RegDeleteTreeW(key.get(), nullptr) != ERROR_SUCCESS)
        return false;
    key.reset();
    return ::RegDeleteKeyExW(hive, path.c_str(), view, 0) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY hive, const std::wstring& path, const std::wstring& name,
                         REGSAM view) {
    UniqueKey key;
    const LONG opened = ::RegOpenKeyExW(hive, path.c_str(), 0, KEY_SET_VALUE | view, key.put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    const LONG deleted =
        opened == ERROR_SUCCESS ? ::RegDeleteValueW(key.get(), name.c_str()) : opened;
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

RawValue ReadRawValue(HKEY hive, std::wstring_view path, std::wstring_view name, REGSAM view) {
    RawValue value;
    UniqueKey key;
    if (::RegOpenKeyExW(hive, std::wstring(path).c_str(), 0, KEY_READ | view, key.put()) !=
        ERROR_SUCCESS)
        return value;
    const std::wstring valueName(name);
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, value.data.data(),
                           &size) != ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    value.exists = true;
    return value;
}

} // namespace qv::test
