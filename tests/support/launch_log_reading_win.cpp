#include "tests/support/launch_log_reading_win.h"

#include "base/launch_log_win.h"
#include "tests/support/file_tree_win.h"

#include <windows.h>

namespace qv::test {

std::wstring ReadLaunchLog() {
    const std::optional<std::string> bytes = ReadFileBytes(LaunchLogPath());
    if (!bytes || bytes->empty()) return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes->data(),
                                           static_cast<int>(bytes->size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes->data(), static_cast<int>(bytes->size()), text.data(),
                          size);
    return text;
}

std::vector<std::string> LogFileLines(const std::wstring& path) {
    const std::string text = ReadFileBytes(path).value_or("");
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find("\r\n", begin);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

void ClearLaunchLog() {
    ::DeleteFileW(LaunchLogPath().c_str());
}

} // namespace qv::test
