// The launch log's entries as bytes: what support reads when a launch went wrong.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Past this size the log is set aside as the old log and a new one begins.
inline constexpr std::uint64_t LogRotationBytes = 1024 * 1024;

// The text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromText(std::wstring_view text);

// One entry: "2026-12-10 14:23:05.120 text" and a line end. A line break inside the text starts
// an indented continuation line, so that every entry begins with its time.
std::string FormatLogEntry(const LogTime& time, std::wstring_view text);

} // namespace qv
