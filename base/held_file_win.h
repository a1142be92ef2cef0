// Patience with files that another program holds for a moment (held_file.h), on the thread of a
// dialog that keeps answering while it waits.
#pragma once

#include "base/held_file.h"

#include <functional>
#include <string>
#include <string_view>

namespace qv {

// One object spends its pauses across all the attempts of one piece of work (a .fluent backup
// and replacement, a library's patch), so that files held for good cost that work the pauses
// once, not once a file.
class HeldFileWait {
  public:
    // Runs attempt (true on success, else false with the system's error set) until it succeeds,
    // fails otherwise than by a passing hold, or the pauses are spent; between tries the thread
    // handles its messages. The last attempt's error stays set for the caller. When it waited,
    // the log says for how long and, where the system can tell, which programs held the file.
    bool Attempt(std::wstring_view path, FileWork work, const std::function<bool()>& attempt);

  private:
    int pausesTaken_ = 0;
};

// The programs that have the file open, as "name (process id)" separated by ", ", as Restart
// Manager tells them; "" when it cannot tell.
std::wstring FileHolders(std::wstring_view path);

} // namespace qv
