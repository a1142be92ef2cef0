// The launch log, %LOCALAPPDATA%\Quorvex\Launcher.log: what the launcher found, chose, started
// and failed at, so that a launch that went wrong can be understood afterwards. Writing it never
// changes what the launcher does: a log that cannot be written is simply not written.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// The log file's path; "" when LOCALAPPDATA is unset.
std::wstring LaunchLogPath();

// Appends one time-stamped entry; safe from any thread.
void Log(std::wstring_view text);

// A failed system call that decides an outcome: what was tried, on what, and why it failed in
// the system's own words ("copy: C:\x -> C:\y: error 5: Access is denied.").
void LogFailure(std::wstring_view action, std::wstring_view path, DWORD error);

// The system's text for an error number, without its line end; "" when it has none.
std::wstring SystemErrorText(DWORD error);

} // namespace qv
