#include "launch/process_start_win.h"

#include "base/files_win.h"
#include "base/registry_win.h"
#include "base/settings_store_win.h"

namespace qv {

ProcessHandles StartHidden(std::wstring_view program, std::wstring_view commandLine) {
    ProcessHandles handles;
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line: it gets a private copy.
    std::wstring line(commandLine);
    if (::CreateProcessW(std::wstring(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                         nullptr, nullptr, &startup, &info)) {
        handles.process.reset(info.hProcess);
        handles.thread.reset(info.hThread);
        handles.processId = info.dwProcessId;
    }
    return handles;
}

void SetStartFolder(std::wstring_view homeFolder) {
    const std::wstring setting =
        ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, L"FluentStartPath", ReadView64);
    std::wstring folder = L"C:\\Users";
    if (!ExistingFolderName(setting).empty())
        folder = setting;
    else if (!ExistingFolderName(homeFolder).empty())
        folder = std::wstring(homeFolder);
    ::SetCurrentDirectoryW(folder.c_str());
}

} // namespace qv
