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

void ClearLaunchLog() {
    ::DeleteFileW(LaunchLogPath().c_str());
}

} // namespace qv::test
