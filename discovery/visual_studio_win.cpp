#include "discovery/visual_studio_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/registry_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "discovery/path_text.h"
#include "discovery/text_file_win.h"

namespace qv {

namespace {

constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t SystemEnvironmentKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// Values of this discovery live in the 32-bit view of the machine's registry.
std::wstring ReadMachineValue(const std::wstring& key, const std::wstring& name) {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, key, name, ReadView32);
}

std::wstring Cleaned(const std::wstring& value) {
    return TrimTrailingSeparators(Trim(value));
}

std::wstring DevenvBelow(const std::wstring& root) {
    return root + L"\\Common7\\IDE\\devenv.exe";
}

bool IsClassic(int number) {
    return number <= 14;
}

// Source A: the side-by-side registration of the install root.
void FromSideBySideKey(int number, DevenvLocation& found) {
    const std::wstring v = Cleaned(ReadMachineValue(L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                                                    std::to_wstring(number) + L".0"));
    if (!v.empty()) found = {DevenvBelow(v), v};
}

// Source B: the version key names Common7\IDE.
void FromInstallDir(int number, DevenvLocation& found) {
    const std::wstring v = Cleaned(ReadMachineValue(
        L"Software\\Microsoft\\VisualStudio\\" + std::to_wstring(number) + L".0", L"InstallDir"));
    if (!v.empty()) found = {v + L"\\devenv.exe", StripPathLevels(v, 2)};
}

// Source C: the system variable names Common7\Tools.
void FromToolsVariable(int number, DevenvLocation& found) {
    const std::wstring v =
        Cleaned(ReadMachineValue(SystemEnvironmentKey, ToolsVariableName(std::to_wstring(number))));
    if (!v.empty()) found = {v + L"\\..\\IDE\\devenv.exe", StripPathLevels(v, 2)};
}

// Source D: the system variable VS2017INSTALLDIR or VS2019INSTALLDIR names the root. It sits
// beside the older versions' tools variables, in the system environment key.
void FromInstallDirVariable(int number, DevenvLocation& found) {
    const std::wstring v = ReadMachineValue(
        SystemEnvironmentKey, number == 15 ? L"VS2017INSTALLDIR" : L"VS2019INSTALLDIR");
    if (!v.empty()) found = {DevenvBelow(v), v};
}

// Source E.
void FromUninstallEntries(int number, DevenvLocation& found) {
    const std::wstring v = FindDevenvInUninstallKey(number);
    if (!v.empty()) found = {DevenvBelow(v), v};
}

// Sources F and G: the default folders on every drive.
void FromDriveScan(int number, DevenvLocation& found) {
    for (const std::wstring& root : VisualStudioDriveRoots(number, IsWindows64Bit())) {
        if (FileExists(DevenvBelow(root))) {
            found = {DevenvBelow(root), root};
            return;
        }
    }
}

bool UninstallEntryMatches(const std::wstring& entryKey, int number) {
    const std::wstring icon =
        Trim(TrimTrailingSeparators(ReadMachineValue(entryKey, L"DisplayIcon")));
    if (icon.empty()) return false;
    const auto parts = SplitPath(icon);
    if (!parts || !EqualsNoCase(parts->name, L"devenv") || !EqualsNoCase(parts->extension, L".exe"))
        return false;
    return ReadLeadingInt(ReadMachineValue(entryKey, L"DisplayVersion")) == number;
}

} // namespace

std::wstring FindDevenvInUninstallKey(int number) {
    // A name longer than 49 characters is skipped.
    for (const std::wstring& name :
         RegistrySubkeyNames(HKEY_LOCAL_MACHINE, UninstallKey, ReadView32, 50)) {
        const std::wstring entryKey = std::wstring(UninstallKey) + L"\\" + name;
        if (UninstallEntryMatches(entryKey, number))
            return Cleaned(ReadMachineValue(entryKey, L"InstallLocation"));
    }
    return L"";
}

DevenvLocation LocateVisualStudio(int number) {
    using Source = void (*)(int, DevenvLocation&);
    const Source classicSources[] = {FromSideBySideKey, FromInstallDir, FromToolsVariable,
                                     FromDriveScan};
    const Source toolsetSources[] = {FromSideBySideKey, FromInstallDir, FromInstallDirVariable,
                                     FromUninstallEntries, FromDriveScan};
    DevenvLocation found;
    auto tryAll = [&](const auto& sources) {
        for (Source source : sources) {
            source(number, found);
            if (FileExists(found.devenv)) return;
        }
    };
    if (IsClassic(number))
        tryAll(classicSources);
    else
        tryAll(toolsetSources);
    return found;
}

std::optional<std::wstring> ReadVcToolsVersion(const std::wstring& root) {
    const std::wstring file =
        root + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
    if (!FileExists(file)) return std::nullopt;
    return TrimToolsetVersion(ReadTextFile(file).value_or(L""));
}

void ProbeVisualStudioComponents(VisualStudioInstallation& vs) {
    const VisualStudioComponentFiles files = ComponentFiles(vs, IsWindows64Bit());
    vs.hasCompiler32 = FileExists(files.compiler32);
    vs.hasCompiler64 = FileExists(files.compiler64);
    vs.hasCSharp = !files.csharp.empty() && FileExists(files.csharp);
    vs.hasMfc = FileExists(files.mfcHeader) && FileExists(files.mfcLibrary);
}

VisualStudioDiscovery DiscoverVisualStudio() {
    VisualStudioDiscovery result;
    for (const VisualStudioVersion& version : VisualStudioVersions) {
        const DevenvLocation location = LocateVisualStudio(version.number);
        if (!FileExists(location.devenv)) continue;
        const std::wstring number = std::to_wstring(version.number);
        const std::wstring toolsVariable = ToolsVariableName(number);
        if (!SetEnvironmentVariableText(toolsVariable, location.root + L"\\Common7\\Tools\\"))
            LogFailure(L"set the variable", toolsVariable, ::GetLastError());
        VisualStudioInstallation installation{version.year, number, location.root};
        if (version.layout == VisualStudioLayout::Toolset) {
            const auto toolset = ReadVcToolsVersion(location.root);
            if (!toolset) {
                result.toolsetFileMissing = true;
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
