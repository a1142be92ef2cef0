#include "discovery/visual_studio_win.h"

#include "app/settings_store_win.h"
#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/handles_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "discovery/path_text.h"
#include "discovery/text_file_win.h"

namespace qv {

namespace {

constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t SystemEnvironmentKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t Editions[][13] = {L"Community", L"Professional", L"Enterprise"};

// Values of this discovery live in the 32-bit view of the machine's registry.
std::wstring ReadMachineValue(const std::wstring& key, const std::wstring& name) {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, key, name, ReadView32);
}

std::wstring Cleaned(const std::wstring& value) { return TrimTrailingSeparators(Trim(value)); }

std::wstring DevenvBelow(const std::wstring& root) { return root + L"\\Common7\\IDE\\devenv.exe"; }

bool IsClassic(int number) { return number <= 14; }

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
    const std::wstring v = Cleaned(ReadMachineValue(SystemEnvironmentKey, ToolsVariableName(std::to_wstring(number))));
    if (!v.empty()) found = {v + L"\\..\\IDE\\devenv.exe", StripPathLevels(v, 2)};
}

// Source D: the system variable VS2017INSTALLDIR or VS2019INSTALLDIR names the root. It sits
// beside the older versions' tools variables, in the system environment key.
void FromInstallDirVariable(int number, DevenvLocation& found) {
    const std::wstring v = ReadMachineValue(SystemEnvironmentKey, number == 15 ? L"VS2017INSTALLDIR" : L"VS2019INSTALLDIR");
    if (!v.empty()) found = {DevenvBelow(v), v};
}

// Source E.
void FromUninstallEntries(int number, DevenvLocation& found) {
    const std::wstring v = FindDevenvInUninstallKey(number);
    if (!v.empty()) found = {DevenvBelow(v), v};
}

// Sources F and G: the default folders on every drive, 32-bit program folder first.
void FromDriveScan(int number, DevenvLocation& found) {
    // 32-bit Windows has no "Program Files (x86)".
    std::vector<std::wstring> programFolders;
    if (IsWindows64Bit()) programFolders.push_back(L"Program Files (x86)");
    programFolders.push_back(L"Program Files");
    const std::wstring year = number == 15 ? L"2017" : L"2019";
    for (wchar_t drive = L'C'; drive <= L'Z'; ++drive) {
        std::vector<std::wstring> roots;
        for (const std::wstring& programs : programFolders) {
            const std::wstring base = std::wstring(1, drive) + L":\\" + programs;
            if (IsClassic(number)) {
                roots.push_back(base + L"\\Microsoft Visual Studio " + std::to_wstring(number) + L".0");
            } else {
                for (const wchar_t* edition : Editions)
                    roots.push_back(base + L"\\Microsoft Visual Studio\\" + year + L"\\" + edition);
            }
        }
        for (const std::wstring& root : roots) {
            if (FileExists(DevenvBelow(root))) {
                found = {DevenvBelow(root), root};
                return;
            }
        }
    }
}

bool UninstallEntryMatches(const std::wstring& entryKey, int number) {
    const std::wstring icon = Trim(TrimTrailingSeparators(ReadMachineValue(entryKey, L"DisplayIcon")));
    if (icon.empty()) return false;
    const auto parts = SplitPath(icon);
    if (!parts || !EqualsNoCase(parts->name, L"devenv") || !EqualsNoCase(parts->extension, L".exe")) return false;
    return ReadLeadingInt(ReadMachineValue(entryKey, L"DisplayVersion")) == number;
}

} // namespace

std::wstring FindDevenvInUninstallKey(int number) {
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKey, 0, ReadView32, key.put()) != ERROR_SUCCESS) return L"";
    for (DWORD index = 0;; ++index) {
        wchar_t name[50];
        DWORD length = 50;
        const LONG status = ::RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue; // a name longer than the buffer: skipped
        // Any other failure ends the scan too, or a broken key would keep it going for ever.
        if (status != ERROR_SUCCESS) return L"";
        const std::wstring entryKey = std::wstring(UninstallKey) + L"\\" + name;
        if (UninstallEntryMatches(entryKey, number))
            return Cleaned(ReadMachineValue(entryKey, L"InstallLocation"));
    }
}

DevenvLocation LocateVisualStudio(int number) {
    using Source = void (*)(int, DevenvLocation&);
    const Source classicSources[] = {FromSideBySideKey, FromInstallDir, FromToolsVariable, FromDriveScan};
    const Source toolsetSources[] = {FromSideBySideKey, FromInstallDir, FromInstallDirVariable,
                                     FromUninstallEntries, FromDriveScan};
    DevenvLocation found;
    auto tryAll = [&](const auto& sources) {
        for (Source source : sources) {
            source(number, found);
            if (FileExists(found.devenv)) return;
        }
    };
    if (IsClassic(number)) tryAll(classicSources); else tryAll(toolsetSources);
    return found;
}

std::optional<std::wstring> ReadVcToolsVersion(const std::wstring& root) {
    const std::wstring file = root + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
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
        SetEnvironmentVariableText(ToolsVariableName(number), location.root + L"\\Common7\\Tools\\");
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
