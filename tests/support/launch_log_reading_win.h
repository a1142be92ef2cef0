// The launch log as the tests read it back.
#pragma once

#include <string>
#include <vector>

namespace qv::test {

// The whole log, decoded from UTF-8; "" when there is none.
std::wstring ReadLaunchLog();

// The lines of a log file as support reads them, without their line ends; none when it is
// missing.
std::vector<std::string> LogFileLines(const std::wstring& path);

// Sets the log aside so that what a test reads is its own.
void ClearLaunchLog();

} // namespace qv::test
