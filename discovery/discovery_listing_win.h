// Release folders as one discovery run lists them: the same lists as ListReleaseFolders, with far
// fewer file-system calls. Each folder is listed at most once, and a folder that lies in a
// folder the run found missing is not listed at all: a drive without "Program Files\ANSYS Inc"
// costs a look or two instead of a listing per Fluent version.
#pragma once

#include "discovery/missing_folders_win.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class DiscoveryListing {
  public:
    // The release folders of a normalised Fluent folder.
    std::vector<std::wstring> operator()(std::wstring_view folder);

    // Whether a folder text, normalised or not, is drive-absolute on a missing drive: it holds
    // no releases, and normalising it would not change its drive.
    bool LiesOnMissingDrive(std::wstring_view folder) {
        return missing_.LiesOnMissingDrive(folder);
    }

    // What the run cost: directory listings and looks at enclosing folders.
    int Listings() const { return listings_; }
    int Looks() const { return missing_.Looks(); }

  private:
    std::map<std::wstring, std::vector<std::wstring>, std::less<>> listed_;
    MissingFolders missing_;
    int listings_ = 0;
};

} // namespace qv
