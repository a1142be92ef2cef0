// What the main dialog remembers of the last launch for its whole life.
#pragma once

#include "base/handles_win.h"

#include <cstdint>
#include <memory>

namespace qv {

// Work a launch leaves going once it has returned, such as a paste Fluent 12's console has not
// taken yet; it ends with the dialog at the latest.
class LaunchAftercare {
  public:
    virtual ~LaunchAftercare() = default;
    // Brings the work to its end before the dialog's: a short, bounded wait during which the
    // thread keeps handling its messages, then whatever it holds is put back, and logged so.
    virtual void Conclude() = 0;
};

struct LaunchState {
    // The process recorded by the last successful start: Workbench's start program, or the new
    // Fluent found after a direct start; 0 before the first. The add-on's module reads it from
    // the dialog's user data.
    std::uint32_t startedProcessId = 0;
    // The same process, held for the question whether it still runs: an id is reused once its
    // process ends, a handle never names another process.
    UniqueHandle startedProcess;
    // Set once a launch took the Workbench path; the user's .fluent is put back when the
    // launcher closes after Workbench has gone.
    bool workbenchLaunched = false;
    // The add-on's module has signalled that its menu is loaded: whatever the launch is waiting
    // for is no longer needed, and the dialog ends.
    bool closeSignalled = false;
    // A direct start waits for Fluent's window or Fluent 12's console: Cancel, Esc and the close
    // box then ask whether to stop waiting, and stopWaiting says the user chose to.
    bool waitingForFluent = false;
    bool stopWaiting = false;
    std::unique_ptr<LaunchAftercare> aftercare;
};

} // namespace qv
