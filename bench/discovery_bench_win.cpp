// Times the launcher's start-up discovery (Fluent, Visual Studio, MATLAB) against its floor: the
// same file-system and registry calls on the same paths, raw, in a tight loop (the Fluent
// folders it lists, the Visual Studio drive roots it searches, the enclosing folders of both it
// looks at, the key opens). Also times the Fluent part listed straightforwardly, one listing per
// candidate. Run under Wine by tools/bench-discovery.sh; prints medians in milliseconds and ratios.
#include "bench/median_time.h"
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "base/handles_win.h"
#include "base/system_win.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "discovery/fluent_versions.h"
#include "discovery/path_text.h"
#include "discovery/matlab_win.h"
#include "discovery/visual_studio_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/memory_list_box.h"
#include "tests/support/registry_edit_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

void StraightforwardFluentDiscovery() {
    test::MemoryListBox fluentBox;
    FluentList fluent(fluentBox,
                      [](std::wstring_view folder) { return ListReleaseFolders(folder); });
    for (const std::wstring& candidate : CurrentFluentCandidateFolders())
        fluent.AddFluentFolder(false, candidate);
}

void FluentDiscovery() {
    test::MemoryListBox fluentBox;
    FluentList fluent(fluentBox,
                      [](std::wstring_view folder) { return ListReleaseFolders(folder); });
    DiscoverFluentInstallations(fluent);
}

void FullDiscovery() {
    test::MemoryListBox fluentBox;
    FluentList fluent(fluentBox,
                      [](std::wstring_view folder) { return ListReleaseFolders(folder); });
    DiscoverFluentInstallations(fluent);
    DiscoverVisualStudio();
    FindMatlabInstallations();
}

// The calls discovery makes: the Fluent folders it lists, the Visual Studio drive roots it
// searches, the enclosing folders of both it looks at, and the registry keys of the three
// discoveries.
struct Floor {
    std::vector<std::wstring> looks;
    std::vector<std::wstring> searches;
    std::vector<std::pair<REGSAM, std::wstring>> keys;
    int fluentListings = 0;
    std::size_t fluentLooks = 0;
};

bool IsMissingFolder(const std::wstring& folder) {
    return ::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
           (::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND);
}

// The enclosing folders of the paths asked about, each looked at once, up to the first missing
// one: the looks a floor needs before it may search below a path.
class EnclosingLooks {
  public:
    // Whether a folder enclosing the path is missing; each new look goes to the floor.
    bool FindMissing(const std::wstring& path, Floor& floor) {
        for (const std::wstring& enclosing : EnclosingFolders(path)) {
            if (missing_.count(enclosing)) return true;
            if (!looked_.insert(enclosing).second) continue;
            floor.looks.push_back(enclosing);
            if (IsMissingFolder(enclosing)) {
                missing_.insert(enclosing);
                return true;
            }
        }
        return false;
    }

  private:
    std::set<std::wstring> looked_, missing_;
};

// Each candidate folder once; its enclosing folders, each once, up to the first missing one;
// the listing itself when none is missing.
void AddFluentFloor(Floor& floor) {
    std::set<std::wstring> listed;
    EnclosingLooks looks;
    for (const auto& candidate : CurrentFluentCandidateFolders()) {
        const std::wstring folder = NormaliseFolderPath(candidate);
        if (!listed.insert(folder).second) continue;
        if (looks.FindMissing(folder, floor) || folder.empty()) continue;
        floor.searches.push_back(folder + L"\\fluent*.*.*");
        ++floor.fluentListings;
    }
}

// Each key once; the drive roots' enclosing folders, each once, up to the first missing one; the
// devenv search below a root when none is missing.
void AddVisualStudioFloor(Floor& floor) {
    floor.keys.push_back({ReadView32, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7"});
    for (const VisualStudioVersion& version : VisualStudioVersions)
        floor.keys.push_back({ReadView32, L"Software\\Microsoft\\VisualStudio\\" +
                                              std::to_wstring(version.number) + L".0"});
    floor.keys.push_back(
        {ReadView32, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"});
    floor.keys.push_back({ReadView32, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"});
    EnclosingLooks looks;
    for (const VisualStudioVersion& version : VisualStudioVersions)
        for (const std::wstring& root : VisualStudioDriveRoots(version.number, IsWindows64Bit()))
            if (!looks.FindMissing(root, floor))
                floor.searches.push_back(root + L"\\Common7\\IDE\\devenv.exe");
}

Floor FloorOperations() {
    Floor floor;
    AddFluentFloor(floor);
    floor.fluentLooks = floor.looks.size();
    AddVisualStudioFloor(floor);
    floor.keys.push_back({ReadView64, L"Software\\MathWorks\\MATLAB"});
    floor.keys.push_back({ReadView64, L"Software\\MathWorks\\Polyspace"});
    floor.keys.push_back({ReadView64, SettingsKeyPath});
    floor.keys.push_back({ReadView64, EnvironmentKeyPath});
    return floor;
}

void RawFloor(const Floor& floor) {
    for (const auto& path : floor.looks)
        ::GetFileAttributesW(path.c_str());
    for (const auto& path : floor.searches) {
        WIN32_FIND_DATAW entry;
        UniqueFind find(::FindFirstFileW(path.c_str(), &entry));
    }
    for (const auto& [view, path] : floor.keys) {
        UniqueKey key;
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, view, key.put());
    }
}

// One Fluent, one Visual Studio 2019 with its compilers and MFC, one MATLAB; false when any of
// it could not be made.
bool LayOutTypicalInstallation() {
    // Every file holds the toolset line: the toolset file is read, the others need only exist.
    const std::string_view content = "14.29.30133\r\n";
    bool made =
        test::WriteFileBytes(
            L"C:\\Program Files\\ANSYS Inc\\v222\\fluent\\fluent22.2.0\\src\\udf.h", content) &&
        test::WriteFileBytes(
            L"C:\\Program Files\\ANSYS Inc\\v222\\fluent\\ntbin\\win64\\fluent.exe", content);
    const std::wstring vs = L"C:\\Program Files (x86)\\Microsoft Visual Studio\\2019\\Community";
    made = made && test::WriteFileBytes(vs + L"\\Common7\\IDE\\devenv.exe", content) &&
           test::WriteFileBytes(
               vs + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt", content);
    for (const wchar_t* file : {L"bin\\Hostx86\\x86\\cl.exe", L"bin\\Hostx86\\x64\\cl.exe",
                                L"atlmfc\\include\\afxwin.h", L"atlmfc\\lib\\x64\\uafxcw.lib"})
        made =
            made && test::WriteFileBytes(vs + L"\\VC\\Tools\\MSVC\\14.29.30133\\" + file, content);
    const std::wstring matlab = L"C:\\Program Files\\MATLAB\\R2020a";
    return made && test::WriteFileBytes(matlab + L"\\bin\\matlab.exe", content) &&
           test::WriteRegistryText(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.8",
                                   L"MATLABROOT", matlab, KEY_WOW64_64KEY);
}

void Report(const char* scenario, int runs) {
    const Floor floor = FloorOperations();
    const double discovery = MedianMilliseconds(FullDiscovery, runs);
    const double raw = MedianMilliseconds([&] { RawFloor(floor); }, runs);
    std::printf("%-18s discovery %7.2f ms   floor (%zu looks, %zu searches, %zu key opens) "
                "%7.2f ms   ratio %.2f\n",
                scenario, discovery, floor.looks.size(), floor.searches.size(), floor.keys.size(),
                raw, discovery / raw);
    const double visualStudio = MedianMilliseconds([] { DiscoverVisualStudio(); }, runs);
    const double matlab = MedianMilliseconds([] { FindMatlabInstallations(); }, runs);
    std::printf("%-18s Visual Studio part %7.2f ms   MATLAB part %7.2f ms\n", "", visualStudio,
                matlab);
    const double fluent = MedianMilliseconds(FluentDiscovery, runs);
    const double straightforward = MedianMilliseconds(StraightforwardFluentDiscovery, runs);
    std::printf("%-18s Fluent part %7.2f ms (%d listings, %zu looks)   one listing per candidate "
                "%7.2f ms (%zu listings)\n",
                "", fluent, floor.fluentListings, floor.fluentLooks, straightforward,
                CurrentFluentCandidateFolders().size());
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    qv::Report("nothing installed", runs);
    if (!qv::LayOutTypicalInstallation()) {
        std::fprintf(stderr, "cannot lay out the typical installation\n");
        return 1;
    }
    qv::Report("typical install", runs);
    return 0;
}
