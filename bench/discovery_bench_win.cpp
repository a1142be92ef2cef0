// Times the launcher's start-up discovery (Fluent, Visual Studio, MATLAB) against its floor: the
// file-system, registry and environment calls it cannot do without, each once, raw, timed in
// turn with it. Then each part against its own floor, and the Fluent part listed
// straightforwardly, one listing per candidate. Run under Wine by tools/bench-discovery.sh;
// prints medians in milliseconds and ratios.
#include "bench/median_time.h"
#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/registry_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/handles_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "discovery/fluent_versions.h"
#include "discovery/machine_discovery_win.h"
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

// As the launcher does it: everything found, then the Fluent list filled.
void FullDiscovery() {
    const MachineDiscovery found = DiscoverMachine();
    test::MemoryListBox fluentBox;
    FluentList fluent(fluentBox,
                      [](std::wstring_view folder) { return ListReleaseFolders(folder); });
    FillFluentList(fluent, found.fluent);
}

// A registry key as discovery opens it.
struct KeyName {
    HKEY hive;
    REGSAM view;
    std::wstring path;
};

// The calls discovery cannot do without, each once: the Fluent folders it lists, the Visual
// Studio drive roots it searches, the enclosing folders of both it looks at; the registry keys
// it opens, the values it reads and the keys whose subkeys it lists; the variables of its
// process environment it reads; the files it reads whole and the ones it only looks at.
struct Floor {
    std::vector<std::wstring> looks;
    std::vector<std::wstring> searches;
    std::vector<KeyName> keys;
    std::vector<std::pair<std::size_t, std::wstring>> values; // key index, value name
    std::vector<std::size_t> enumerations;                    // key index
    std::vector<std::wstring> variables;
    std::vector<std::wstring> reads;
    int fluentListings = 0;

    std::size_t Key(HKEY hive, REGSAM view, const std::wstring& path) {
        const auto known = std::find_if(keys.begin(), keys.end(), [&](const KeyName& key) {
            return key.hive == hive && key.view == view && key.path == path;
        });
        if (known != keys.end()) return static_cast<std::size_t>(known - keys.begin());
        keys.push_back({hive, view, path});
        return keys.size() - 1;
    }
    void Value(HKEY hive, REGSAM view, const std::wstring& path, const std::wstring& name) {
        values.push_back({Key(hive, view, path), name});
    }
};

bool IsMissingFolder(const std::wstring& folder) {
    return ::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
           (::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND);
}

bool KeyExists(HKEY hive, REGSAM view, const std::wstring& path) {
    UniqueKey key;
    return ::RegOpenKeyExW(hive, path.c_str(), 0, view, key.put()) == ERROR_SUCCESS;
}

// The drives and the enclosing folders of the paths asked about, each looked at once, up to the
// first missing one: the looks a floor needs before it may search below a path.
class EnclosingLooks {
  public:
    // Whether the path's drive or a folder enclosing it is missing; each new look goes to the
    // floor.
    bool FindMissing(const std::wstring& path, Floor& floor) {
        std::vector<std::wstring> looks = EnclosingFolders(path);
        if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
            looks.insert(looks.begin(), path.substr(0, 3));
        for (const std::wstring& enclosing : looks) {
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

// The remembered folders, FLUENT_INC and the variables of every version; each candidate folder
// once; its enclosing folders, each once, up to the first missing one; the listing itself when
// none is missing.
void AddFluentFloor(Floor& floor) {
    floor.Value(HKEY_CURRENT_USER, ReadView64, SettingsKeyPath, settings::FluentFoldersUsed);
    floor.variables.push_back(L"FLUENT_INC");
    if (ReadEnvironmentVariable(L"FLUENT_INC").empty())
        floor.Value(HKEY_CURRENT_USER, ReadView64, EnvironmentKeyPath, L"FLUENT_INC");
    floor.variables.push_back(L"ANSYSLIC_DIR");
    for (const FluentVersionRow& row : FluentVersionTable) {
        const std::wstring compact = row.compactVersion;
        for (const wchar_t* prefix : {L"CADOE_LIBDIR", L"AWP_ROOT"})
            floor.variables.push_back(prefix + compact);
        floor.variables.push_back(L"ANSYS" + compact + L"_DIR");
    }
    std::set<std::wstring> listed;
    EnclosingLooks looks;
    for (const auto& candidate : CurrentFluentCandidateFolders()) {
        const std::wstring folder = NormaliseFolderPath(candidate);
        if (!listed.insert(folder).second) continue;
        if (looks.FindMissing(folder, floor) || folder.empty()) continue;
        floor.searches.push_back(folder + L"\\fluent*.*.*");
        ++floor.fluentListings;
        // Each release folder's source folder and UDF header: found by searches, as every
        // file and folder test is.
        for (const std::wstring& release : ListReleaseFolders(folder))
            for (const wchar_t* below : {L"\\src", L"\\src\\udf.h"})
                floor.searches.push_back(folder + L"\\" + release + below);
    }
}

// The Uninstall entries: the list of them, each entry's icon, and for devenv's entries their
// version and folder.
void AddUninstallFloor(Floor& floor) {
    const std::wstring uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    floor.enumerations.push_back(floor.Key(HKEY_LOCAL_MACHINE, ReadView32, uninstall));
    for (const std::wstring& name :
         RegistrySubkeyNames(HKEY_LOCAL_MACHINE, uninstall, ReadView32, 50)) {
        const std::wstring entry = uninstall + L"\\" + name;
        floor.Value(HKEY_LOCAL_MACHINE, ReadView32, entry, L"DisplayIcon");
        if (!Contains(ReadRegistryString(HKEY_LOCAL_MACHINE, entry, L"DisplayIcon", ReadView32),
                      L"devenv"))
            continue;
        floor.Value(HKEY_LOCAL_MACHINE, ReadView32, entry, L"DisplayVersion");
        floor.Value(HKEY_LOCAL_MACHINE, ReadView32, entry, L"InstallLocation");
    }
}

// Each key once and each of its values the sources name, where the key exists, and the keys
// below the versions' shared key only where that key exists; the drive roots' enclosing folders,
// each once, up to the first missing one; the devenv search below a root when none is missing.
// Of a version found on a drive: its toolset file and its components.
void AddVisualStudioFloor(Floor& floor) {
    const std::wstring shared = L"Software\\Microsoft\\VisualStudio";
    const std::wstring sideBySide = shared + L"\\SxS\\VS7";
    const std::wstring environment =
        L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    floor.Key(HKEY_LOCAL_MACHINE, ReadView32, shared);
    const bool registered = KeyExists(HKEY_LOCAL_MACHINE, ReadView32, shared);
    if (registered) floor.Key(HKEY_LOCAL_MACHINE, ReadView32, sideBySide);
    for (const VisualStudioVersion& version : VisualStudioVersions) {
        const std::wstring number = std::to_wstring(version.number);
        if (KeyExists(HKEY_LOCAL_MACHINE, ReadView32, sideBySide))
            floor.Value(HKEY_LOCAL_MACHINE, ReadView32, sideBySide, number + L".0");
        const std::wstring own = shared + L"\\" + number + L".0";
        if (KeyExists(HKEY_LOCAL_MACHINE, ReadView32, own))
            floor.Value(HKEY_LOCAL_MACHINE, ReadView32, own, L"InstallDir");
        else if (registered)
            floor.Key(HKEY_LOCAL_MACHINE, ReadView32, own);
        floor.Value(HKEY_LOCAL_MACHINE, ReadView32, environment,
                    version.layout == VisualStudioLayout::Classic
                        ? ToolsVariableName(number)
                        : (version.number == 15 ? L"VS2017INSTALLDIR" : L"VS2019INSTALLDIR"));
    }
    AddUninstallFloor(floor);
    EnclosingLooks looks;
    for (const VisualStudioVersion& version : VisualStudioVersions)
        for (const std::wstring& root : VisualStudioDriveRoots(version.number, IsWindows64Bit())) {
            if (looks.FindMissing(root, floor)) continue;
            floor.searches.push_back(root + L"\\Common7\\IDE\\devenv.exe");
            if (!FileExists(root + L"\\Common7\\IDE\\devenv.exe")) continue;
            const std::wstring number = std::to_wstring(version.number);
            VisualStudioInstallation found{version.year, number, root};
            if (version.layout == VisualStudioLayout::Toolset) {
                const std::wstring toolsetFile =
                    root + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
                floor.searches.push_back(toolsetFile);
                floor.reads.push_back(toolsetFile);
                found.toolset = ReadVcToolsVersion(root).value_or(L"");
            }
            const VisualStudioComponentFiles files = ComponentFiles(found, IsWindows64Bit());
            for (const std::wstring& file : {files.compiler32, files.compiler64, files.csharp,
                                             files.mfcHeader, files.mfcLibrary})
                if (!file.empty()) floor.searches.push_back(file);
            break;
        }
}

// Each MathWorks key's releases, each release's root and that root's MATLAB program.
void AddMatlabFloor(Floor& floor) {
    for (const auto& [key, rootValue] :
         {std::pair<std::wstring, std::wstring>{L"Software\\MathWorks\\MATLAB", L"MATLABROOT"},
          {L"Software\\MathWorks\\Polyspace", L"POLYSPACEROOT"}}) {
        floor.enumerations.push_back(floor.Key(HKEY_LOCAL_MACHINE, ReadView64, key));
        for (const std::wstring& release :
             RegistrySubkeyNames(HKEY_LOCAL_MACHINE, key, ReadView64, 10)) {
            floor.Value(HKEY_LOCAL_MACHINE, ReadView64, key + L"\\" + release, rootValue);
            floor.searches.push_back(ReadRegistryString(HKEY_LOCAL_MACHINE, key + L"\\" + release,
                                                        rootValue, ReadView64) +
                                     L"\\bin\\matlab.exe");
        }
    }
}

Floor FloorOperations() {
    Floor floor;
    AddFluentFloor(floor);
    AddVisualStudioFloor(floor);
    AddMatlabFloor(floor);
    return floor;
}

void RawFloor(const Floor& floor) {
    wchar_t text[1024];
    for (const auto& name : floor.variables)
        ::GetEnvironmentVariableW(name.c_str(), text, 1024);
    for (const auto& path : floor.looks)
        ::GetFileAttributesW(path.c_str());
    for (const auto& path : floor.searches) {
        WIN32_FIND_DATAW entry;
        UniqueFind find(::FindFirstFileW(path.c_str(), &entry));
    }
    std::vector<UniqueKey> keys(floor.keys.size());
    for (std::size_t i = 0; i < floor.keys.size(); ++i)
        ::RegOpenKeyExW(floor.keys[i].hive, floor.keys[i].path.c_str(), 0, floor.keys[i].view,
                        keys[i].put());
    for (const auto& [key, name] : floor.values) {
        DWORD size = sizeof text;
        ::RegQueryValueExW(keys[key].get(), name.c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text), &size);
    }
    for (std::size_t key : floor.enumerations)
        for (DWORD index = 0;; ++index) {
            DWORD length = 1024;
            if (::RegEnumKeyExW(keys[key].get(), index, text, &length, nullptr, nullptr, nullptr,
                                nullptr) != ERROR_SUCCESS)
                break;
        }
    for (const auto& path : floor.reads) {
        UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD read = 0;
        ::ReadFile(file.get(), text, sizeof text, &read, nullptr);
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
    // A first pass unmeasured: work that follows an idle processor runs faster than the same
    // work sustained, and the floor would gain from it more than discovery.
    AlternatingTimes({FullDiscovery, [&] { RawFloor(floor); }}, runs);
    const auto times = AlternatingTimes({FullDiscovery, [&] { RawFloor(floor); }}, runs);
    const double discovery = Median(times[0]), raw = Median(times[1]);
    std::printf("%-18s discovery %7.2f ms   floor %7.2f ms   ratio %.2f (round by round %.2f)\n",
                scenario, discovery, raw, discovery / raw, MedianRatio(times[0], times[1]));
    std::printf("%-18s floor: %zu looks, %zu searches, %zu key opens, %zu value reads, %zu key "
                "listings, %zu variables, %zu file reads\n",
                "", floor.looks.size(), floor.searches.size(), floor.keys.size(),
                floor.values.size(), floor.enumerations.size(), floor.variables.size(),
                floor.reads.size());
    Floor fluentFloor, visualStudioFloor, matlabFloor;
    AddFluentFloor(fluentFloor);
    AddVisualStudioFloor(visualStudioFloor);
    AddMatlabFloor(matlabFloor);
    const std::vector<double> parts = AlternatingMedians(
        {FluentDiscovery, [&] { RawFloor(fluentFloor); }, [] { DiscoverVisualStudio(); },
         [&] { RawFloor(visualStudioFloor); }, [] { FindMatlabInstallations(); },
         [&] { RawFloor(matlabFloor); }, StraightforwardFluentDiscovery},
        runs);
    std::printf("%-18s Fluent part %7.2f ms, floor %7.2f (%d listings, %zu looks); one listing "
                "per candidate %7.2f ms (%zu listings)\n",
                "", parts[0], parts[1], fluentFloor.fluentListings, fluentFloor.looks.size(),
                parts[6], CurrentFluentCandidateFolders().size());
    std::printf("%-18s Visual Studio part %7.2f ms, floor %7.2f;   MATLAB part %7.2f ms, floor "
                "%7.2f\n",
                "", parts[2], parts[3], parts[4], parts[5]);
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    // The fresh prefix's own programs start beside this one: measured only once they have, as
    // on a machine that is up and running.
    ::Sleep(4000);
    qv::Report("nothing installed", runs);
    if (!qv::LayOutTypicalInstallation()) {
        std::fprintf(stderr, "cannot lay out the typical installation\n");
        return 1;
    }
    qv::Report("typical install", runs);
    return 0;
}
