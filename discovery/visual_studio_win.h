// Finds Visual Studio 2010 to 2019 in the 32-bit registry view and on every drive.
#pragma once

#include "discovery/visual_studio.h"
#include "discovery/visual_studio_search.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

struct DevenvLocation {
    std::wstring devenv;
    std::wstring root;
};
// Tries the sources of one version in order; the version is installed when devenv exists.
DevenvLocation LocateVisualStudio(int number);

// The install folder of the first Uninstall entry whose icon is devenv.exe of this version.
std::wstring FindDevenvInUninstallKey(int number);

// VC\Auxiliary\Build\Microsoft.VCToolsVersion.default.txt of the root.
std::wstring VcToolsVersionFile(const std::wstring& root);
// The toolset version that file names; nothing when the file is missing, "" when it cannot be
// read.
std::optional<std::wstring> ReadVcToolsVersion(const std::wstring& root);

void ProbeVisualStudioComponents(VisualStudioInstallation& installation);

struct VisualStudioDiscovery {
    std::vector<VisualStudioInstallation> installations;
    // A 2017 or 2019 without its toolset version file: the launcher cannot go on. Discovery
    // stops there; that installation is not among the others.
    bool toolsetFileMissing = false;
    VisualStudioInstallation withoutToolsetFile; // its year and root
    // What was asked of each version looked for, in year order; the versions after one without
    // its toolset file are not looked for.
    std::vector<VisualStudioSearch> searches;
};
// Every found version, in year order, with its tools folder published as VS<n>0COMNTOOLS.
VisualStudioDiscovery DiscoverVisualStudio();

} // namespace qv
