#include "discovery/visual_studio_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/registry_win.h"
#include "base/system_win.h"
#include "base/terminated_text.h"
#include "base/text.h"
#include "base/handles_win.h"
#include "discovery/missing_folders_win.h"
#include "discovery/path_text.h"
#include "discovery/text_file_win.h"
#include "discovery/visual_studio_search.h"

#include <map>

namespace qv {

namespace {

constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t VisualStudioKey[] = L"Software\\Microsoft\\VisualStudio";
constexpr wchar_t SystemEnvironmentKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::wstring Cleaned(const std::wstring& value) {
    return TrimTrailingSeparators(Trim(value));
}

std::wstring DevenvBelow(const std::wstring& root) {
    return root + L"\\Common7\\IDE\\devenv.exe";
}

bool IsClassic(int number) {
    return number <= 14;
}

bool NamesDevenv(const std::wstring& displayIcon) {
    const std::wstring icon = Trim(TrimTrailingSeparators(displayIcon));
    if (icon.empty()) return false;
    const auto parts = SplitPath(icon);
    return parts && EqualsNoCase(parts->name, L"devenv") && EqualsNoCase(parts->extension, L".exe");
}

// What one discovery run reads, read once: the sources of the six versions share registry keys
// (the side-by-side key, the system environment, the Uninstall entries) and drive folders, and
// ask again about the same devenv path after each source.
class DiscoveryReads {
  public:
    // Values of this discovery live in the 32-bit view of the machine's registry.
    std::wstring MachineValue(std::wstring_view key, std::wstring_view name) {
        return ReadRegistryString(Key(key), name);
    }

    // A value of a key below the versions' shared key, which is opened once: the keys below it
    // are opened from it, and none is asked for where no Visual Studio made it.
    std::wstring VisualStudioValue(std::wstring_view below, std::wstring_view name) {
        const HKEY shared = Key(VisualStudioKey);
        if (!shared) return L"";
        const std::wstring path = std::wstring(VisualStudioKey) + L"\\" + std::wstring(below);
        return ReadRegistryString(Opened(path, shared, below), name);
    }

    struct DevenvEntry {
        std::wstring name;     // of the entry's key
        int version;           // the leading number of DisplayVersion
        std::wstring location; // InstallLocation, cleaned
    };
    // The first Uninstall entry whose icon is devenv.exe of this version.
    std::optional<DevenvEntry> FindDevenvEntry(int number) {
        if (!devenvEntries_) devenvEntries_ = ReadDevenvEntries();
        for (const DevenvEntry& entry : *devenvEntries_)
            if (entry.version == number) return entry;
        return std::nullopt;
    }

    bool IsFile(const std::wstring& path) {
        const auto known = files_.find(path);
        if (known != files_.end()) return known->second;
        const bool exists = FileExists(path);
        files_.emplace(path, exists);
        return exists;
    }

    // A drive scan's root: not looked into when a folder above it is missing.
    bool HoldsDevenv(std::wstring_view root) {
        return !missing_.Enclose(root) && IsFile(DevenvBelow(std::wstring(root)));
    }

  private:
    HKEY Key(std::wstring_view path) { return Opened(path, HKEY_LOCAL_MACHINE, path); }

    // Each key once, known by its path from the machine's root and opened from parent with the
    // rest of that path.
    HKEY Opened(std::wstring_view path, HKEY parent, std::wstring_view rest) {
        auto known = keys_.find(path);
        if (known == keys_.end()) {
            UniqueKey key;
            ::RegOpenKeyExW(parent, TerminatedText(rest).c_str(), 0, ReadView32, key.put());
            known = keys_.emplace(path, std::move(key)).first;
        }
        return known->second.get();
    }

    // The entries whose icon is devenv.exe, in index order. A name longer than 49 characters is
    // skipped.
    std::vector<DevenvEntry> ReadDevenvEntries() {
        std::vector<DevenvEntry> entries;
        HKEY uninstall = Key(UninstallKey);
        for (const std::wstring& name : RegistrySubkeyNames(uninstall, 50)) {
            UniqueKey entry;
            if (::RegOpenKeyExW(uninstall, name.c_str(), 0, ReadView32, entry.put()) !=
                    ERROR_SUCCESS ||
                !NamesDevenv(ReadRegistryString(entry.get(), L"DisplayIcon")))
                continue;
            entries.push_back({name,
                               static_cast<int>(ReadLeadingInt(
                                   ReadRegistryString(entry.get(), L"DisplayVersion"))),
                               Cleaned(ReadRegistryString(entry.get(), L"InstallLocation"))});
        }
        return entries;
    }

    std::map<std::wstring, UniqueKey, std::less<>> keys_;
    std::optional<std::vector<DevenvEntry>> devenvEntries_;
    std::map<std::wstring, bool> files_;
    MissingFolders missing_;
};

using Answer = VisualStudioSourceAnswer;

// The installation root a source's folder gives: InstallDir names Common7\IDE and the tools
// variable Common7\Tools; the others name the root.
std::wstring RootOf(const Answer& answer) {
    const bool belowRoot = answer.source == VisualStudioSource::InstallDir ||
                           answer.source == VisualStudioSource::ToolsVariable;
    return belowRoot ? StripPathLevels(answer.named, 2) : answer.named;
}

// What a source named: the folder as read, and the devenv.exe it leads to.
Answer Named(VisualStudioSource source, const std::wstring& named, const std::wstring& devenv) {
    Answer answer{source};
    if (!named.empty()) {
        answer.named = named;
        answer.devenv = devenv;
    }
    return answer;
}

// The side-by-side registration names the install root.
Answer FromSideBySideKey(int number, DiscoveryReads& reads) {
    const std::wstring root =
        Cleaned(reads.VisualStudioValue(L"SxS\\VS7", std::to_wstring(number) + L".0"));
    return Named(VisualStudioSource::SideBySide, root, DevenvBelow(root));
}

// The version's own key names Common7\IDE.
Answer FromInstallDir(int number, DiscoveryReads& reads) {
    const std::wstring ideFolder =
        Cleaned(reads.VisualStudioValue(std::to_wstring(number) + L".0", L"InstallDir"));
    return Named(VisualStudioSource::InstallDir, ideFolder, ideFolder + L"\\devenv.exe");
}

// The system's tools variable (VS<number>0COMNTOOLS) names Common7\Tools.
Answer FromToolsVariable(int number, DiscoveryReads& reads) {
    const std::wstring toolsFolder = Cleaned(
        reads.MachineValue(SystemEnvironmentKey, ToolsVariableName(std::to_wstring(number))));
    return Named(VisualStudioSource::ToolsVariable, toolsFolder,
                 toolsFolder + L"\\..\\IDE\\devenv.exe");
}

// The system variable VS2017INSTALLDIR or VS2019INSTALLDIR names the root. It sits beside the
// older versions' tools variables, in the system environment key.
Answer FromInstallDirVariable(int number, DiscoveryReads& reads) {
    const std::wstring root = reads.MachineValue(
        SystemEnvironmentKey, number == 15 ? L"VS2017INSTALLDIR" : L"VS2019INSTALLDIR");
    return Named(VisualStudioSource::InstallDirVariable, root, DevenvBelow(root));
}

// The installer's Uninstall entry of this version's devenv.exe names the root.
Answer FromUninstallEntries(int number, DiscoveryReads& reads) {
    const auto entry = reads.FindDevenvEntry(number);
    Answer answer = Named(VisualStudioSource::UninstallEntry, entry ? entry->location : L"",
                          entry ? DevenvBelow(entry->location) : L"");
    if (entry) answer.entry = entry->name;
    return answer;
}

// The default install folders on every drive; names the first root that holds devenv.exe.
Answer FromDriveScan(int number, DiscoveryReads& reads) {
    std::wstring root;
    VisitVisualStudioDriveRoots(number, IsWindows64Bit(), [&](std::wstring_view candidate) {
        if (!reads.HoldsDevenv(candidate)) return true;
        root = candidate;
        return false;
    });
    return Named(VisualStudioSource::DriveScan, root, DevenvBelow(root));
}

// The version's root and devenv.exe: those of the last source that named a folder, found when
// its devenv.exe exists. Each source's answer goes to answers, when given.
DevenvLocation LocateVisualStudio(int number, DiscoveryReads& reads, std::vector<Answer>* answers) {
    using Source = Answer (*)(int, DiscoveryReads&);
    const Source classicSources[] = {FromSideBySideKey, FromInstallDir, FromToolsVariable,
                                     FromDriveScan};
    const Source toolsetSources[] = {FromSideBySideKey, FromInstallDir, FromInstallDirVariable,
                                     FromUninstallEntries, FromDriveScan};
    DevenvLocation found;
    auto tryAll = [&](const auto& sources) {
        for (Source source : sources) {
            Answer answer = source(number, reads);
            if (!answer.named.empty()) {
                found = {answer.devenv, RootOf(answer)};
                answer.devenvFound = reads.IsFile(answer.devenv);
            }
            const bool done = answer.devenvFound;
            if (answers) answers->push_back(std::move(answer));
            if (done) return;
        }
    };
    if (IsClassic(number))
        tryAll(classicSources);
    else
        tryAll(toolsetSources);
    return found;
}

} // namespace

std::wstring FindDevenvInUninstallKey(int number) {
    DiscoveryReads reads;
    const auto entry = reads.FindDevenvEntry(number);
    return entry ? entry->location : L"";
}

DevenvLocation LocateVisualStudio(int number) {
    DiscoveryReads reads;
    return LocateVisualStudio(number, reads, nullptr);
}

std::wstring VcToolsVersionFile(const std::wstring& root) {
    return root + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
}

std::optional<std::wstring> ReadVcToolsVersion(const std::wstring& root) {
    const std::wstring file = VcToolsVersionFile(root);
    if (!FileExists(file)) return std::nullopt;
    return TrimToolsetVersion(ReadTextFile(file).value_or(L""));
}

void ProbeVisualStudioComponents(VisualStudioInstallation& vs) {
    const VisualStudioComponentFiles files = ComponentFiles(vs, IsWindows64Bit());
    vs.hasCompiler32 = FileExists(files.compiler32);
    vs.hasCompiler64 = FileExists(files.compiler64);
    vs.hasCSharp = !files.csharp.empty() && FileExists(files.csharp);
    vs.hasMfcHeader = FileExists(files.mfcHeader);
    vs.hasMfc = vs.hasMfcHeader && FileExists(files.mfcLibrary);
}

VisualStudioDiscovery DiscoverVisualStudio() {
    VisualStudioDiscovery result;
    DiscoveryReads reads;
    for (const VisualStudioVersion& version : VisualStudioVersions) {
        VisualStudioSearch& search = result.searches.emplace_back(VisualStudioSearch{version});
        const DevenvLocation location = LocateVisualStudio(version.number, reads, &search.answers);
        if (!reads.IsFile(location.devenv)) continue;
        const std::wstring number = std::to_wstring(version.number);
        const std::wstring toolsVariable = ToolsVariableName(number);
        if (!SetEnvironmentVariableText(toolsVariable, location.root + L"\\Common7\\Tools\\"))
            LogFailure(L"set the variable", toolsVariable, ::GetLastError(), LogLevel::Warning);
        VisualStudioInstallation installation{version.year, number, location.root};
        if (version.layout == VisualStudioLayout::Toolset) {
            const auto toolset = ReadVcToolsVersion(location.root);
            if (!toolset) {
                result.toolsetFileMissing = true;
                result.withoutToolsetFile = std::move(installation);
                return result;
            }
            installation.toolset = *toolset;
        }
        ProbeVisualStudioComponents(installation);
        result.installations.push_back(std::move(installation));
    }
    return result;
}

} // namespace qv
