#include "discovery/fluent_discovery_win.h"

#include "base/environment_win.h"
#include "base/registry_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "discovery/discovery_listing_win.h"
#include "discovery/fluent_versions.h"
#include "texts/discovery_texts.h"

namespace qv {

namespace {

std::wstring FluentIncFolder() {
    const std::wstring process = ReadEnvironmentVariable(L"FLUENT_INC");
    if (!process.empty()) return process;
    return ReadRegistryString(HKEY_CURRENT_USER, EnvironmentKeyPath, L"FLUENT_INC", ReadView64);
}

std::wstring ProcessVariable(const std::wstring& name) {
    return ReadEnvironmentVariable(name);
}

} // namespace

std::vector<std::wstring> CurrentFluentCandidateFolders() {
    return FluentCandidateFolders(ReadSetting(settings::FluentFoldersUsed), FluentIncFolder(),
                                  ProcessVariable);
}

void VisitCurrentFluentCandidateFolders(const CandidateVisitor& visit) {
    VisitFluentCandidateFolders(ReadSetting(settings::FluentFoldersUsed), FluentIncFolder(),
                                ProcessVariable, visit);
}

// Only a candidate that holds releases is kept; the others, most on drives found missing, are
// passed over without a copy of their text, those on a missing drive before it is even scanned.
std::vector<ListedFluentFolder> ListFluentCandidates(DiscoveryListing& listing) {
    std::vector<ListedFluentFolder> listed;
    VisitCurrentFluentCandidateFolders([&](std::wstring_view candidate) {
        if (listing.LiesOnMissingDrive(candidate)) return;
        std::vector<std::wstring> releases = IsNormalisedFolderPath(candidate)
                                                 ? listing(candidate)
                                                 : listing(NormaliseFolderPath(candidate));
        if (!releases.empty()) listed.push_back({std::wstring(candidate), std::move(releases)});
    });
    return listed;
}

void DiscoverFluentInstallations(FluentList& list) {
    DiscoveryListing listing;
    DiscoverFluentInstallations(list, listing);
}

// A candidate without release folders adds nothing and selects nothing, so only the others are
// added, each with the releases listed for it.
void FillFluentList(FluentList& list, const std::vector<ListedFluentFolder>& listed) {
    for (const ListedFluentFolder& folder : listed)
        list.AddFluentFolder(false, folder.candidate,
                             [&folder](std::wstring_view) { return folder.releases; });
    if (list.Box().Count() == 0) list.Box().Append(Pick(placeholders::FluentNotFound));
    list.Box().Select(0);
}

void DiscoverFluentInstallations(FluentList& list, DiscoveryListing& listing) {
    FillFluentList(list, ListFluentCandidates(listing));
}

} // namespace qv
