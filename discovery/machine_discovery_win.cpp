#include "discovery/machine_discovery_win.h"

#include "discovery/discovery_listing_win.h"
#include "discovery/matlab_win.h"

#include <chrono>

namespace qv {

MachineDiscovery DiscoverMachine() {
    const auto began = std::chrono::steady_clock::now();
    MachineDiscovery found;
    DiscoveryListing listing;
    found.fluent = ListFluentCandidates(listing);
    found.visualStudio = DiscoverVisualStudio();
    found.matlab = FindMatlabInstallations();
    found.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    return found;
}

} // namespace qv
