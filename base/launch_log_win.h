// The launch log, %LOCALAPPDATA%\Quorvex\Launcher.log: what the launcher found, chose, started
// and failed at, so that a launch that went wrong can be understood afterwards. Writing it never
// changes what the launcher does. Entries are appended whatever other programs do with the file:
// when the log cannot be written (held without write sharing, its folder unwritable), they go to
// a fallback in the user's temporary folder, and each file a run writes to begins with the run's
// start line, which says where the log is.
#pragma once

#include "base/launch_log.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// The log file's path; "" when LOCALAPPDATA is unset.
std::wstring LaunchLogPath();
// Where entries go while the launch log cannot be written: "Quorvex Launcher.log" in the user's
// temporary folder.
std::wstring FallbackLogPath();
// The name a full log is set aside under: "Launcher.old.log" beside "Launcher.log".
std::wstring OldLogPath(std::wstring_view logPath);
// The name of the lock that every launcher of the session takes to write to the log at the path.
std::wstring LaunchLogLockName(const std::wstring& path);

// The run's first entry: what runs where. It heads every file the run writes to.
void LogRunStart(std::wstring_view text);
// How this run is ending, noted where the main window is ended; the end line says it.
void NoteRunEnding(std::wstring_view how);
// The same for a message after which the launcher closes: "closed after the message <key>".
void NoteRunEndingAfterMessage();
// The run's last entry: "end: <how, as noted>; exit code <n>", naming the last error message the
// run showed, if any, whatever ended it afterwards ("... after the message <key>").
void LogRunEnd(int exitCode);

// Appends one entry at the info level, or at the given one; safe from any thread.
void Log(std::wstring_view text);
void Log(LogLevel level, std::wstring_view text);

// A failed system call that decides an outcome: what was tried, on what, and why it failed, with
// its number and the system's text in English where the system has one ("copy: C:\x -> C:\y:
// error 5: Access is denied."), its "%1" filled with the path.
void LogFailure(std::wstring_view action, std::wstring_view path, DWORD error,
                LogLevel level = LogLevel::Error);

// A message shown to the user, by the key that is the same in both languages; the key is kept
// for the run's end line.
void LogShownMessage(std::string_view key, std::wstring_view englishCaption, std::wstring_view text,
                     LogLevel level);
// The key of the last message shown in this run on the thread that began it (the dialog's, not
// the update check's); "" when none was.
std::string LastShownMessageKey();

// The system's text for an error number without its line end, in English where the system has
// it, else in the system's language; "" when it has none.
std::wstring SystemErrorText(DWORD error);

} // namespace qv
