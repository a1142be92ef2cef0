#include "base/launch_log.h"

#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Editors break lines at these as well as at CR and LF.
bool IsLineBreak(wchar_t c) {
    return c == L'\r' || c == L'\n' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool IsControl(wchar_t c) {
    return (c < 0x20 && c != L'\t') || c == 0x7F;
}

// The text with each control character but the tab and the line breaks made visible as U+FFFD,
// and the line breaks as "\n" (a CR LF pair as one).
std::wstring PrintableLines(std::wstring_view text) {
    std::wstring lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        if (IsLineBreak(c))
            lines += L'\n';
        else if (IsControl(c))
            lines += static_cast<wchar_t>(0xFFFD);
        else
            lines += c;
    }
    return lines;
}

std::string ToText(std::uint32_t number) {
    return std::to_string(number);
}

} // namespace

std::string Utf8FromText(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = static_cast<std::uint32_t>(text[i]);
        if (IsHighSurrogate(code) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) +
                   (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code) || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::string FormatLogTime(const LogTime& time) {
    const int offset = std::abs(time.utcOffsetMinutes) % (24 * 60);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d%c%02d:%02d", time.year,
                  time.month, time.day, time.hour, time.minute, time.second, time.millisecond,
                  time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return stamp;
}

const char* LogLevelName(LogLevel level) {
    switch (level) {
    case LogLevel::Warning:
        return "warning";
    case LogLevel::Error:
        return "error";
    case LogLevel::Info:
        break;
    }
    return "info";
}

std::string FormatLogEntry(const LogTime& time, std::uint32_t processId, LogLevel level,
                           std::wstring_view text) {
    // Padded, so that the texts of all levels begin in one column.
    char levelField[16];
    std::snprintf(levelField, sizeof levelField, "%-7s ", LogLevelName(level));
    const std::string prefix = FormatLogTime(time) + " [" + ToText(processId) + "] " + levelField;
    const std::string lines = Utf8FromText(PrintableLines(text));
    std::string entry;
    entry.reserve(prefix.size() + lines.size() + 2);
    entry += prefix;
    for (char c : lines) {
        if (c != '\n') {
            entry += c;
            continue;
        }
        entry += "\r\n";
        entry += prefix;
        entry += "| ";
    }
    entry += "\r\n";
    return entry;
}

std::wstring ShownMessageLogText(std::string_view key, std::wstring_view englishCaption,
                                 std::wstring_view text) {
    std::wstring line = L"message ";
    for (char c : key)
        line += static_cast<wchar_t>(static_cast<unsigned char>(c));
    line += L" (";
    line += englishCaption;
    line += L"): ";
    line += text;
    return line;
}

std::wstring FailureLogText(std::wstring_view action, std::wstring_view path, std::uint32_t error,
                            std::wstring_view systemText) {
    std::wstring line(action);
    line += L": ";
    line += path;
    line += L": error ";
    line += std::to_wstring(error);
    line += L": ";
    line += systemText.empty() ? std::wstring_view(L"(the system has no text for it)") : systemText;
    return line;
}

std::wstring FilledSystemText(std::wstring_view text, std::wstring_view insert) {
    const auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    std::wstring filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%' || i + 1 == text.size() || !isDigit(text[i + 1]) ||
            text[i + 1] == L'0') {
            filled += text[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        // A format-message insert may carry its printf form: "%1!s!".
        if (end < text.size() && text[end] == L'!') {
            const std::size_t close = text.find(L'!', end + 1);
            if (close != std::wstring_view::npos) end = close + 1;
        }
        if (text.substr(i, end - i) == L"%1" || text.substr(i, 3) == L"%1!") filled += insert;
        i = end - 1;
    }
    return filled;
}

std::wstring RunOnlyInFallbackText(std::uint32_t processId, const LogTime& runBegan,
                                   std::size_t entries, std::wstring_view fallbackPath,
                                   std::wstring_view why) {
    const std::string began = FormatLogTime(runBegan);
    return L"process " + std::to_wstring(processId) + L", run began " +
           std::wstring(began.begin(), began.end()) + L": " + std::to_wstring(entries) +
           (entries == 1 ? L" entry in " : L" entries in ") + std::wstring(fallbackPath) + L" (" +
           std::wstring(why) + L")";
}

std::wstring StartLogText(std::wstring_view run, std::wstring_view file, std::wstring_view why,
                          const LogTime* runBegan) {
    std::wstring line = L"start";
    if (runBegan) {
        const std::string began = FormatLogTime(*runBegan);
        line += L", continued (run began " + std::wstring(began.begin(), began.end()) + L")";
    }
    line += L": ";
    line += run;
    line += L"; log ";
    line += file;
    if (!why.empty()) {
        line += L" (";
        line += why;
        line += L")";
    }
    return line;
}

} // namespace qv
