// Moves LaunchOptions between the record and the main dialog's controls.
#pragma once

#include "launch/record/launch_options.h"
#include "ui/dialog_win.h"

namespace qv {

enum class ExchangeDirection { ToControls, FromControls };

// Exchanges the fields in their fixed order. In Parallel mode reading stops at a process count
// that is no number, leaving the later fields as they were; in Serial mode, which uses no count,
// such a count is passed over and the last count read stays. A count outside 1..999 fails after
// every field has been read. Both failures are shown to the user and focus the count's edit.
// The controls are reached through the dialog, which asks the window server for each only once.
bool ExchangeLaunchOptions(const Dialog& dialog, LaunchOptions& options,
                           ExchangeDirection direction);

} // namespace qv
