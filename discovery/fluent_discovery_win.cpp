#include "discovery/fluent_discovery_win.h"

#include "base/environment_win.h"
#include "base/registry_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "discovery/discovery_listing_win.h"
#include "texts/discovery_texts.h"

#include <functional>

namespace qv {

namespace {

std::wstring FluentIncFolder() {
    const std::wstring process = ReadEnvironmentVariable(L"FLUENT_INC");
    if (!process.empty()) return process;
    return ReadRegistryString(HKEY_CURRENT_USER, EnvironmentKeyPath, L"FLUENT_INC", ReadView64);
}

} // namespace

std::vector<std::wstring> CurrentFluentCandidateFolders() {
    return FluentCandidateFolders(
        ReadSetting(settings::FluentFoldersUsed), FluentIncFolder(),
        [](const std::wstring& name) { return ReadEnvironmentVariable(name); });
}

void DiscoverFluentInstallations(FluentList& list) {
    DiscoveryListing listing;
    DiscoverFluentInstallations(list, listing);
}

void DiscoverFluentInstallations(FluentList& list, DiscoveryListing& listing) {
    const FluentList::ReleaseLister listReleases = std::ref(listing);
    for (const std::wstring& candidate : CurrentFluentCandidateFolders())
        list.AddFluentFolder(false, candidate, listReleases);
    if (list.Box().Count() == 0) list.Box().Append(Pick(placeholders::FluentNotFound));
    list.Box().Select(0);
}

} // namespace qv
