// Fills the Fluent list from the remembered folders, FLUENT_INC, the default folders on every
// drive and the ANSYS variables.
#pragma once

#include "discovery/fluent_discovery.h"

namespace qv {

class DiscoveryListing;

// A candidate folder as given and the release folders one discovery run listed in it.
struct ListedFluentFolder {
    std::wstring candidate;
    std::vector<std::wstring> releases;
};

// The candidates that hold release folders, in the order discovery tries them. Touches no window.
std::vector<ListedFluentFolder> ListFluentCandidates(DiscoveryListing& listing);
// Adds the listed folders; leaves the not-found entry when nothing was found, selects entry 0.
void FillFluentList(FluentList& list, const std::vector<ListedFluentFolder>& listed);

// Both at once. Each run lists the candidates through a DiscoveryListing of its own; the second
// form lends one, to be looked at.
void DiscoverFluentInstallations(FluentList& list);
void DiscoverFluentInstallations(FluentList& list, DiscoveryListing& listing);

// The candidates as the launcher's settings and environment give them now.
std::vector<std::wstring> CurrentFluentCandidateFolders();
void VisitCurrentFluentCandidateFolders(const CandidateVisitor& visit);

} // namespace qv
