// The launch log's entries as bytes: what support reads when a launch went wrong. Every line
// carries its time with the offset from UTC, the process id and a level, so that one run can be
// picked out of a log that several launchers wrote, whatever language each of them showed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

enum class LogLevel { Info, Warning, Error };

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    int utcOffsetMinutes = 0; // local time minus UTC
};

// Past this size the log is set aside as the old log and a new one begins.
inline constexpr std::uint64_t LogRotationBytes = 1024 * 1024;

// The text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromText(std::wstring_view text);

// "2026-12-10 14:23:05.120+08:00": local time and its offset from UTC.
std::string FormatLogTime(const LogTime& time);

// "info", "warning" or "error".
const char* LogLevelName(LogLevel level);

// One entry: "2026-12-10 14:23:05.120+08:00 [4312] error   text" and a line end. A line break in
// the text starts a line of its own with the same time, process and level followed by "| ", so
// that every line of the file names its run and no text can pass for an entry of its own. Other
// control characters but the tab become U+FFFD.
std::string FormatLogEntry(const LogTime& time, std::uint32_t processId, LogLevel level,
                           std::wstring_view text);

// A message the user was shown: "message <key> (<caption in English>): <text as shown>". The key
// and the caption read the same in every interface language.
std::wstring ShownMessageLogText(std::string_view key, std::wstring_view englishCaption,
                                 std::wstring_view text);

// A failed system call: "<action>: <path>: error <number>: <the system's text>".
std::wstring FailureLogText(std::wstring_view action, std::wstring_view path, std::uint32_t error,
                            std::wstring_view systemText);

// The system's text for an error with its inserts filled: "%1" by the insert (the file or
// program the call was about), every other "%<n>" removed, so that no placeholder is left.
std::wstring FilledSystemText(std::wstring_view text, std::wstring_view insert);

// What a later run says of a run that wrote only to the fallback: "process <id>, run began
// <time>: <n> entries in <fallback> (<why>)".
std::wstring RunOnlyInFallbackText(std::uint32_t processId, const LogTime& runBegan,
                                   std::size_t entries, std::wstring_view fallbackPath,
                                   std::wstring_view why);

// The line that heads every file a run writes to: "start: <run>; log <file>", with why the run
// writes there when it is not the launch log itself. In a file the run reaches later (after a
// rotation, or in the fallback) it says when the run began: "start, continued (run began
// <time>): ...".
std::wstring StartLogText(std::wstring_view run, std::wstring_view file, std::wstring_view why,
                          const LogTime* runBegan);

} // namespace qv
