// The launch log as the tests read it back.
#pragma once

#include <string>

namespace qv::test {

// The whole log, decoded from UTF-8; "" when there is none.
std::wstring ReadLaunchLog();

// Sets the log aside so that what a test reads is its own.
void ClearLaunchLog();

} // namespace qv::test
