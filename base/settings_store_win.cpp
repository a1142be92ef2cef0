#include "base/settings_store_win.h"

#include "base/registry_win.h"

namespace qv {

std::wstring ReadSetting(std::wstring_view valueName) {
    return ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, valueName, ReadView64);
}

bool WriteSetting(std::wstring_view valueName, std::wstring_view text) {
    return WriteRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, valueName, text);
}

} // namespace qv
