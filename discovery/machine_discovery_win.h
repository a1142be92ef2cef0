// Everything the main dialog lists of this machine, found in one go without a window: the Fluent
// folders that hold releases, Visual Studio and MATLAB.
#pragma once

#include "discovery/fluent_discovery_win.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio_win.h"

#include <vector>

namespace qv {

struct MachineDiscovery {
    std::vector<ListedFluentFolder> fluent;
    VisualStudioDiscovery visualStudio;
    std::vector<MatlabInstallation> matlab;
    double milliseconds = 0; // what it took
};

// Publishes each Visual Studio's tools variable, as Visual Studio discovery does.
MachineDiscovery DiscoverMachine();

} // namespace qv
