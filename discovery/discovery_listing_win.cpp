#include "discovery/discovery_listing_win.h"

#include "discovery/fluent_folders_win.h"

namespace qv {

std::vector<std::wstring> DiscoveryListing::operator()(std::wstring_view folder) {
    // Most candidates lie on drives or in folders already found missing: asked first, without
    // a copy of the candidate's text.
    if (missing_.Enclose(folder)) return {};
    // The exact text is the key: folders that only look alike are listed each on their own.
    const auto known = listed_.find(folder);
    if (known != listed_.end()) return known->second;
    ++listings_;
    std::vector<std::wstring> releases = ListReleaseFolders(folder);
    listed_.emplace(folder, releases);
    return releases;
}

} // namespace qv
