// When the launcher may close, how it answers the add-on's close signal, and the question that
// ends a wait for Fluent.
#pragma once

#include "launch/record/launch_state_win.h"

#include <windows.h>

#include <string_view>

namespace qv {

// False, after telling the user, while the recorded process runs. Otherwise true; after a
// Workbench launch the user's .fluent is put back first when no launcher's Workbench runs.
bool MayClose(const LaunchState& state, HWND dialog, std::wstring_view homeFolder);

// Closes the question the launcher shows at this moment, if any: the first visible dialog of the
// main dialog's thread in window order (the launch's own question, whatever another thread's
// dialog shows above it), when it is not the main dialog, through its first button among cancel,
// no, close, abort, OK and continue, or else by WM_CLOSE.
void CloseShownQuestion(HWND mainDialog);

// Cancel, Esc or the close box while a launch waits for Fluent: whether the user stops waiting.
// The started programs are left running either way.
bool AskToStopWaiting(HWND dialog);

} // namespace qv
