// The end of a launch: Fluent or Workbench is started, and for a direct start the new Fluent
// process is found by its main window and recorded.
#pragma once

#include "launch/record/launch_options.h"
#include "launch/record/launch_state_win.h"
#include "launch/record/launch_step.h"

#include <windows.h>

#include <string>

namespace qv {

struct StartRequest {
    std::wstring program;     // the executable, started by its own name
    std::wstring commandLine; // as composed, handed on unchanged
    bool startByWorkbench = false;
    double version = 0;
    std::wstring productFolder;
    LaunchOptions options;
    // The dialog's control that stays usable while a direct start waits: Cancel.
    HWND stopControl = nullptr;
};

// How long a direct start may take before the user is asked whether to go on waiting, and the
// pause between two searches for the new Fluent window: a window is recorded within a fifth of a
// second, for a fraction of a percent of one core (tools/measure-supervision.sh).
// A start program that has ended with an error code, and left nothing it started running, gets
// this long to show a Fluent window before the wait ends with a message.
struct SupervisionTimes {
    DWORD askAfterMs = 10 * 60 * 1000;
    DWORD pauseMs = 200;
    DWORD failedStartGraceMs = 3000;
};

// Starts the program. Workbench is recorded at once. For a direct start the dialog keeps
// painting while the launcher looks for the new Fluent main window, while the start program runs
// and after, taking no input but the stop control's (launch_wait_win.h). The Fluent recorded is
// the new one the start program started, when one is; and for parallel Fluent 12 the add-on's
// load command is entered into its console once it shows; meanwhile the dialog shows that it is
// busy (BusyIndication). Recording sets the state and the dialog's user data. A start that fails
// shows its message and Closes; a start program that ends with an error code and starts no Fluent
// window shows its message and StaysOpen, as does a wait the user gives up, with nothing
// recorded. The close signal (state.closeSignalled, set by the dialog) ends any wait at once, and
// before the start it stops the launch: Continue, as after a recorded start.
LaunchStep StartAndSupervise(const StartRequest& request, HWND dialog, LaunchState& state,
                             const SupervisionTimes& times = {});

} // namespace qv
