#include "launch/supervision/started_process_win.h"

namespace qv {

bool IsStartedProcessAlive(HANDLE process) {
    return process && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

} // namespace qv
