#include "launch/startup_file/startup_file_win.h"

#include "base/files_win.h"
#include "base/handles_win.h"
#include "base/held_file_win.h"
#include "base/launch_log_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/record/fluent_releases.h"
#include "launch/startup_file/startup_file.h"
#include "texts/launch_texts.h"

#include <cstring>
#include <string>
#include <vector>

namespace qv {

namespace {

// The whole file when it is no larger than the launcher's files can be.
bool ReadSmallFile(const std::wstring& path, std::string& text, HeldFileWait& wait) {
    UniqueFile file;
    wait.Attempt(path, FileWork::ReadOrWrite, [&] {
        file.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file);
    });
    // Unread, it counts as the user's: it is neither replaced nor restored over.
    if (!file) {
        LogFailure(L"read .fluent", path, ::GetLastError(), LogLevel::Warning);
        return false;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        LogFailure(L"read the size of .fluent", path, ::GetLastError(), LogLevel::Warning);
        return false;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > LargestLauncherStartupFile) return false;
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (text.empty() ||
        (::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) &&
         read == text.size()))
        return true;
    LogFailure(L"read .fluent", path, ::GetLastError(), LogLevel::Warning);
    return false;
}

// Writes the line alone, without a line end; false when the file cannot be made or written.
bool WriteFastLoadLine(const std::wstring& path, HeldFileWait& wait) {
    // Windows refuses to write a read-only file, Wine run by root does not: the attribute decides.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        LogFailure(L"open .fluent to write the add-on's line", path, ERROR_ACCESS_DENIED);
        return false;
    }
    // OPEN_ALWAYS and truncation: a hidden .fluent refuses CREATE_ALWAYS. The user's file may
    // still be on its way out after its deletion, held by another program.
    UniqueFile file;
    wait.Attempt(path, FileWork::DeleteOrReplace, [&] {
        file.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file);
    });
    if (!file) {
        LogFailure(L"open .fluent to write the add-on's line", path, ::GetLastError());
        return false;
    }
    const DWORD size = static_cast<DWORD>(std::strlen(FastLoadLine));
    DWORD written = 0;
    if (::SetEndOfFile(file.get()) &&
        ::WriteFile(file.get(), FastLoadLine, size, &written, nullptr) && written == size) {
        Log(L".fluent replaced by the add-on's loading line: " + path);
        return true;
    }
    LogFailure(L"write the add-on's line into .fluent", path, ::GetLastError());
    // A half-written line would pass for the user's file and one day be copied over the backup.
    file.reset();
    if (!::DeleteFileW(path.c_str()))
        LogFailure(L"delete the half-written .fluent", path, ::GetLastError());
    return false;
}

// Whether two files hold the same bytes; false when either cannot be read, so that a backup
// whose content is unknown counts as different and is kept.
bool SameContent(const std::wstring& first, const std::wstring& second) {
    const auto open = [](const std::wstring& path) {
        return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueFile a = open(first), b = open(second);
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!a || !b || !::GetFileSizeEx(a.get(), &sizeA) || !::GetFileSizeEx(b.get(), &sizeB) ||
        sizeA.QuadPart != sizeB.QuadPart)
        return false;
    std::vector<char> bufferA(64 * 1024), bufferB(bufferA.size());
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!::ReadFile(a.get(), bufferA.data(), static_cast<DWORD>(bufferA.size()), &readA,
                        nullptr) ||
            !::ReadFile(b.get(), bufferB.data(), static_cast<DWORD>(bufferB.size()), &readB,
                        nullptr) ||
            readA != readB)
            return false;
        if (readA == 0) return true;
        if (std::memcmp(bufferA.data(), bufferB.data(), readA) != 0) return false;
    }
}

// After a restore that failed, the backup may be the only copy of a user's file that .fluent no
// longer holds: it goes to the first free "<backup>.<n>" before the backup is replaced. False
// when it cannot be kept.
bool KeepOlderBackup(const std::wstring& backup, HeldFileWait& wait) {
    for (int number = 1; number < 10000; ++number) {
        const std::wstring kept = NumberedBackupPath(backup, number);
        if (::GetFileAttributesW(kept.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (wait.Attempt(backup, FileWork::ReadOrWrite, [&] {
                return ::CopyFileW(backup.c_str(), kept.c_str(), TRUE) != FALSE;
            })) {
            Log(L"older .fluent backup kept as " + kept);
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            LogFailure(L"keep the older .fluent backup", backup + L" -> " + kept, error);
            return false;
        }
    }
    Log(L"no free name to keep the older .fluent backup " + backup);
    return false;
}

// The user's .fluent to its backup; false, with the reason logged, when it is not there.
bool BackUp(const std::wstring& startup, const std::wstring& backup, HeldFileWait& wait) {
    if (FileExists(backup) && !SameContent(startup, backup) && !KeepOlderBackup(backup, wait))
        return false;
    if (wait.Attempt(startup, FileWork::ReadOrWrite, [&] {
            return ::CopyFileW(startup.c_str(), backup.c_str(), FALSE) != FALSE;
        })) {
        Log(L".fluent backed up: " + startup + L" -> " + backup);
        return true;
    }
    LogFailure(L"back up .fluent", startup + L" -> " + backup, ::GetLastError());
    return false;
}

bool Delete(const std::wstring& path, HeldFileWait& wait) {
    return wait.Attempt(path, FileWork::DeleteOrReplace,
                        [&] { return ::DeleteFileW(path.c_str()) != FALSE; });
}

void PutBackup(const std::wstring& startup, const std::wstring& backup, HeldFileWait& wait) {
    if (!FileExists(backup)) {
        if (Delete(startup, wait))
            Log(L".fluent of the add-on deleted, as there is no backup to restore: " + startup);
        else
            LogFailure(L"delete the add-on's .fluent", startup, ::GetLastError());
        return;
    }
    if (wait.Attempt(startup, FileWork::DeleteOrReplace, [&] {
            return ::CopyFileW(backup.c_str(), startup.c_str(), FALSE) != FALSE;
        })) {
        Log(L".fluent restored from its backup: " + backup + L" -> " + startup);
        if (!Delete(backup, wait))
            LogFailure(L"delete the restored .fluent backup", backup, ::GetLastError(),
                       LogLevel::Warning);
        return;
    }
    // The backup stays the only copy of the user's file; the next Workbench start keeps it.
    LogFailure(L"restore .fluent from its backup", backup + L" -> " + startup, ::GetLastError());
}

// The failure that led here is logged; the state of both files follows it.
LaunchStep StopWithStartupFileMessage(const std::wstring& startup, const std::wstring& backup,
                                      HWND owner) {
    Log(LogLevel::Error, L".fluent " + startup + L": " + DescribePath(startup) + L"; backup " +
                             backup + L": " + DescribePath(backup));
    ShowMessage(owner, launch_texts::StartupFileUnwritable, captions::Error, MB_OK | MB_ICONERROR);
    return LaunchStep::Closes;
}

// The tip shows for 18.2 and later unless the user switched it off; false when declined.
bool TipAccepted(double version, HWND owner) {
    if (version < Fluent18_2 || EqualsNoCase(ReadSetting(settings::ShowWorkbenchTip), L"false"))
        return true;
    return Prompts().ShowWorkbenchTip(owner) == IDOK;
}

bool ContainsFastLoadLine(std::wstring_view path, HeldFileWait& wait) {
    std::string text;
    return FileExists(path) && ReadSmallFile(std::wstring(path), text, wait) &&
           IsLauncherStartupText(text);
}

} // namespace

bool ContainsFastLoadLine(std::wstring_view path) {
    HeldFileWait wait;
    return ContainsFastLoadLine(path, wait);
}

void RestoreStartupFile(std::wstring_view homeFolder) {
    const std::wstring startup = StartupFilePath(homeFolder);
    HeldFileWait wait;
    if (ContainsFastLoadLine(startup, wait))
        PutBackup(startup, StartupBackupPath(homeFolder), wait);
}

void LogStartupFileLeftReplaced(std::wstring_view homeFolder) {
    const std::wstring startup = StartupFilePath(homeFolder);
    if (homeFolder.empty() || !ContainsFastLoadLine(startup)) return;
    const std::wstring backup = StartupBackupPath(homeFolder);
    Log(FileExists(backup)
            ? L".fluent stays the add-on's loader for Workbench starts: " + startup +
                  L"; the user's own is kept as " + backup +
                  L" and put back at the next direct start of Fluent from the launcher"
            : L".fluent stays the add-on's loader for Workbench starts: " + startup +
                  L"; the user had none, and the next direct start of Fluent from the launcher "
                  L"removes it");
}

LaunchStep PrepareStartupFile(bool startByWorkbench, double version, std::wstring_view homeFolder,
                              LaunchState& state, HWND owner) {
    const std::wstring startup = StartupFilePath(homeFolder);
    const std::wstring backup = StartupBackupPath(homeFolder);
    HeldFileWait wait;
    const bool launchers = ContainsFastLoadLine(startup, wait);
    if (!startByWorkbench) {
        if (launchers) PutBackup(startup, backup, wait);
        return LaunchStep::Continue;
    }
    state.workbenchLaunched = true;
    if (!TipAccepted(version, owner)) return LaunchStep::StaysOpen;
    if (launchers) {
        Log(L".fluent already loads the add-on and stays as it is: " + startup);
        return LaunchStep::Continue;
    }
    if (FileExists(startup)) {
        // Without a copy in the backup the user's file is neither deleted nor overwritten.
        if (!BackUp(startup, backup, wait))
            return StopWithStartupFileMessage(startup, backup, owner);
        // One that stays is overwritten below, or the write fails and says why.
        if (!::DeleteFileW(startup.c_str()))
            LogFailure(L"delete .fluent after its backup", startup, ::GetLastError(),
                       LogLevel::Warning);
    }
    if (!WriteFastLoadLine(startup, wait))
        return StopWithStartupFileMessage(startup, backup, owner);
    return LaunchStep::Continue;
}

} // namespace qv
