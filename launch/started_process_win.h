// Whether the process the last launch recorded still runs. While it does, the launcher
// refuses OK, Browse, its menu commands and closing.
#pragma once

#include <cstdint>

namespace qv {

// True when id is not 0 and a process snapshot holds a process of that id whose executable
// name, in lower case, contains ".exe"; false also when no snapshot can be taken.
bool IsStartedProcessAlive(std::uint32_t id);

} // namespace qv
