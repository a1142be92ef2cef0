// Fills the Fluent list from the remembered folders, FLUENT_INC, the default folders on every
// drive and the ANSYS variables.
#pragma once

#include "discovery/fluent_discovery.h"

namespace qv {

// Leaves the not-found entry when nothing was found, and selects entry 0.
void DiscoverFluentInstallations(FluentList& list);

// The candidates as the launcher's settings and environment give them now.
std::vector<std::wstring> CurrentFluentCandidateFolders();

} // namespace qv
