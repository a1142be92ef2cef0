// Fills the Fluent list from the remembered folders, FLUENT_INC, the default folders on every
// drive and the ANSYS variables.
#pragma once

#include "discovery/fluent_discovery.h"

namespace qv {

class DiscoveryListing;

// Leaves the not-found entry when nothing was found, and selects entry 0. Each run lists the
// candidates through a DiscoveryListing of its own; the second form lends one, to be looked at.
void DiscoverFluentInstallations(FluentList& list);
void DiscoverFluentInstallations(FluentList& list, DiscoveryListing& listing);

// The candidates as the launcher's settings and environment give them now.
std::vector<std::wstring> CurrentFluentCandidateFolders();

} // namespace qv
