// Runs that could write only to the fallback log leave a note beside it, so that the next run
// that reaches the launch log names them there: support reading the launch log alone then knows
// to ask for the fallback too.
#pragma once

#include "base/launch_log.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// "Quorvex Launcher <process>-<when the run began>.unreported" beside the fallback log.
std::wstring RunOnlyInFallbackPath(std::wstring_view fallbackPath, std::uint32_t processId,
                                   const LogTime& runBegan);
// Writes the note (a run rewrites its own at each entry); best effort, as all of the log.
void RecordRunOnlyInFallback(const std::wstring& notePath, std::wstring_view text);
// The run is back in the launch log and says so itself.
void ForgetRunOnlyInFallback(const std::wstring& notePath);
// The notes of other runs beside the fallback log, each taken by one launcher only (renamed
// before it is read) and removed once read.
std::vector<std::wstring> ClaimRunsOnlyInFallback(std::wstring_view fallbackPath);

} // namespace qv
