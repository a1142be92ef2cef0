#include "discovery/discovery_listing_win.h"

#include "discovery/fluent_folders_win.h"
#include "discovery/path_text.h"

#include <windows.h>

namespace qv {

std::vector<std::wstring> DiscoveryListing::operator()(std::wstring_view folder) {
    // The exact text is the key: folders that only look alike are listed each on their own.
    const auto known = listed_.find(folder);
    if (known != listed_.end()) return known->second;
    std::vector<std::wstring> releases;
    if (!LiesInMissingFolder(folder)) {
        ++listings_;
        releases = ListReleaseFolders(folder);
    }
    listed_.emplace(folder, releases);
    return releases;
}

bool DiscoveryListing::LiesInMissingFolder(std::wstring_view folder) {
    for (const std::wstring& enclosing : EnclosingFolders(folder))
        if (IsMissing(enclosing)) return true;
    return false;
}

// Only "not found" rules a folder out; a folder that cannot be read, or a file of that name,
// is left to the listing to judge.
bool DiscoveryListing::IsMissing(const std::wstring& folder) {
    const auto known = missing_.find(folder);
    if (known != missing_.end()) return known->second;
    ++looks_;
    const bool found = ::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    const DWORD error = found ? ERROR_SUCCESS : ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    missing_.emplace(folder, missing);
    return missing;
}

} // namespace qv
