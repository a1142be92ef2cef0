// Waiting while this thread's own windows keep handling their messages.
#pragma once

#include <chrono>
#include <functional>

namespace qv::test {

// Handles the calling thread's messages for a while.
void PumpMessages(std::chrono::milliseconds duration);
// Handles messages until the condition holds (true) or the time runs out (false).
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

} // namespace qv::test
