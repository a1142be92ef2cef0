#include "launch/command_line/start_folder_win.h"

#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/registry_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"

namespace qv {

void SetStartFolder(std::wstring_view homeFolder) {
    const std::wstring setting = ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath,
                                                    settings::FluentStartFolder, ReadView64);
    std::wstring folder = L"C:\\Users";
    if (!ExistingFolderName(setting).empty())
        folder = setting;
    else if (!ExistingFolderName(homeFolder).empty())
        folder = std::wstring(homeFolder);
    // Fluent then starts in the launcher's own folder: worth a trace, not a stop.
    if (!::SetCurrentDirectoryW(folder.c_str()))
        LogFailure(L"set the start folder", folder, ::GetLastError(), LogLevel::Warning);
    else
        Log(L"start folder: " + folder);
}

} // namespace qv
