#include "launch/startup_file_win.h"

#include "base/files_win.h"
#include "base/handles_win.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/startup_file.h"
#include "texts/launch_texts.h"

#include <cstring>
#include <string>

namespace qv {

namespace {

// The whole file when it is no larger than the launcher's files can be.
bool ReadSmallFile(const std::wstring& path, std::string& text) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) ||
        static_cast<unsigned long long>(size.QuadPart) > LargestLauncherStartupFile)
        return false;
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return text.empty() ||
           (::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) &&
            read == text.size());
}

// Writes the line alone, without a line end; false when the file cannot be made or written.
bool WriteFastLoadLine(const std::wstring& path) {
    // OPEN_ALWAYS and truncation: a hidden .fluent refuses CREATE_ALWAYS.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const DWORD size = static_cast<DWORD>(std::strlen(FastLoadLine));
    DWORD written = 0;
    if (::SetEndOfFile(file.get()) &&
        ::WriteFile(file.get(), FastLoadLine, size, &written, nullptr) && written == size)
        return true;
    // A half-written line would pass for the user's file and one day be copied over the backup.
    file.reset();
    ::DeleteFileW(path.c_str());
    return false;
}

void PutBackup(const std::wstring& startup, const std::wstring& backup) {
    if (!FileExists(backup)) {
        ::DeleteFileW(startup.c_str());
        return;
    }
    if (::CopyFileW(backup.c_str(), startup.c_str(), FALSE)) ::DeleteFileW(backup.c_str());
}

LaunchStep StopWithStartupFileMessage(HWND owner) {
    Prompts().ShowMessage(owner, Pick(launch_texts::StartupFileUnwritable), Pick(captions::Error),
                          MB_OK | MB_ICONERROR);
    return LaunchStep::Closes;
}

// The tip shows for 18.2 and later unless the user switched it off; false when declined.
bool TipAccepted(double version, HWND owner) {
    if (version < 18.19 || EqualsNoCase(ReadSetting(L"IsWorkbenchTipShow"), L"false")) return true;
    return Prompts().ShowWorkbenchTip(owner) == IDOK;
}

} // namespace

bool ContainsFastLoadLine(std::wstring_view path) {
    std::string text;
    return FileExists(path) && ReadSmallFile(std::wstring(path), text) &&
           IsLauncherStartupText(text);
}

void RestoreStartupFile(std::wstring_view homeFolder) {
    const std::wstring startup = StartupFilePath(homeFolder);
    if (ContainsFastLoadLine(startup)) PutBackup(startup, StartupBackupPath(homeFolder));
}

LaunchStep PrepareStartupFile(bool startByWorkbench, double version, std::wstring_view homeFolder,
                              LaunchState& state, HWND owner) {
    const std::wstring startup = StartupFilePath(homeFolder);
    const std::wstring backup = StartupBackupPath(homeFolder);
    const bool launchers = ContainsFastLoadLine(startup);
    if (!startByWorkbench) {
        if (launchers) PutBackup(startup, backup);
        return LaunchStep::Continue;
    }
    state.workbenchLaunched = true;
    if (!TipAccepted(version, owner)) return LaunchStep::StaysOpen;
    if (launchers) return LaunchStep::Continue;
    if (FileExists(startup)) {
        // Without a copy in the backup the user's file is neither deleted nor overwritten.
        if (!::CopyFileW(startup.c_str(), backup.c_str(), FALSE))
            return StopWithStartupFileMessage(owner);
        ::DeleteFileW(startup.c_str());
    }
    if (!WriteFastLoadLine(startup)) return StopWithStartupFileMessage(owner);
    return LaunchStep::Continue;
}

} // namespace qv
