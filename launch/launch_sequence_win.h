// What OK does: every check of the chosen combination in a fixed order, the preparation of what
// Fluent inherits, and the start.
#pragma once

#include "discovery/fluent_discovery.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio.h"
#include "launch/record/launch_options.h"
#include "launch/record/launch_state_win.h"
#include "launch/record/launch_step.h"
#include "launch/supervision/supervision_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv {

// What the main dialog hands to a launch: its choices as the user sees them at this OK.
struct LaunchContext {
    LaunchState& state;
    const FluentList& fluent;
    const std::vector<VisualStudioInstallation>& visualStudios;
    const std::vector<MatlabInstallation>& matlabs;
    HWND dialog = nullptr;
    HWND stopControl = nullptr; // usable while the start waits for Fluent (Cancel)
    LaunchOptions options;      // as just read from the controls
    bool chineseFluent = false;
    int fluentIndex = -1;
    std::wstring visualStudioText; // the selected entry's text
    int matlabIndex = -1;
    std::wstring matlabText;
    std::wstring homeFolder;
    SupervisionTimes times;
};

// The sequence from the options' range check on; the dialog has already refused OK while the
// last start runs and read the options. Closes after a message that ends the launcher;
// StaysOpen when the user may try again; Continue once Fluent or Workbench is started and
// recorded.
LaunchStep RunLaunchSequence(LaunchContext& context);

} // namespace qv
