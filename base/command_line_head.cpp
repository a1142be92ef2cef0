#include "base/command_line_head.h"

#include "base/text.h"

namespace qv {

namespace {

// What ends an unquoted program name for the system.
bool EndsName(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool NamesExe(std::wstring_view name) {
    constexpr std::wstring_view Exe = L".exe";
    return name.size() > Exe.size() && EqualsNoCase(name.substr(name.size() - Exe.size()), Exe);
}

} // namespace

std::optional<std::wstring> ProgramAtHead(std::wstring_view commandLine,
                                          const std::function<bool(const std::wstring&)>& isFile) {
    std::size_t first = 0;
    while (first < commandLine.size() && EndsName(commandLine[first]))
        ++first;
    const std::wstring_view line = commandLine.substr(first);
    if (line.empty()) return std::nullopt;
    if (line.front() == L'"') {
        const std::size_t close = line.find(L'"', 1);
        const std::wstring_view quoted =
            line.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
        if (quoted.empty()) return std::nullopt;
        return std::wstring(quoted);
    }
    for (std::size_t end = 0; end <= line.size(); ++end) {
        if (end < line.size() && !EndsName(line[end])) continue;
        const std::wstring candidate(line.substr(0, end));
        if (NamesExe(candidate) && isFile(candidate)) return candidate;
    }
    return std::nullopt;
}

} // namespace qv
