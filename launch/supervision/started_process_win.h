// Whether the process the last launch recorded still runs. While it does, the launcher
// refuses OK, Browse, its menu commands and closing.
#pragma once

#include <windows.h>

namespace qv {

// True while the recorded process (a handle with SYNCHRONIZE access) has not ended; false for
// no handle.
bool IsStartedProcessAlive(HANDLE process);

} // namespace qv
