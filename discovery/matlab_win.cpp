#include "discovery/matlab_win.h"

#include "base/files_win.h"
#include "base/registry_win.h"
#include "base/text.h"
#include "discovery/text_file_win.h"

namespace qv {

namespace {

// The release of a root from its folder name, then version.txt, then the python engine's
// setup script; a later source is read only when the earlier ones gave nothing accepted.
void AcceptRoot(std::vector<MatlabInstallation>& list, const std::wstring& root) {
    const std::size_t slash = root.rfind(L'\\');
    if (slash != std::wstring::npos && AcceptMatlabRelease(list, root.substr(slash + 1), root))
        return;
    const std::wstring versionFile = root + L"\\bin\\util\\mex\\version.txt";
    if (FileExists(versionFile)) {
        if (const auto text = ReadTextFile(versionFile);
            text && AcceptMatlabRelease(list, *text, root))
            return;
    }
    const std::wstring setupScript = root + L"\\extern\\engines\\python\\setup.py";
    if (FileExists(setupScript)) {
        if (const auto text = ReadTextFile(setupScript)) {
            if (const auto release = SetupScriptRelease(*text))
                AcceptMatlabRelease(list, *release, root);
        }
    }
}

} // namespace

bool AcceptMatlabRelease(std::vector<MatlabInstallation>& list, std::wstring_view text,
                         const std::wstring& root) {
    std::wstring release = NormaliseMatlabRelease(text);
    if (!IsSupportedMatlabRelease(release)) return false;
    list.push_back({root, std::move(release)});
    return true;
}

void ScanMatlabKey(std::vector<MatlabInstallation>& list, const std::wstring& keyPath,
                   const std::wstring& rootValueName) {
    // Release keys are version numbers such as 9.8; a name longer than nine characters is skipped.
    for (const std::wstring& name :
         RegistrySubkeyNames(HKEY_LOCAL_MACHINE, keyPath, ReadView64, 10)) {
        std::wstring root = ReadRegistryString(HKEY_LOCAL_MACHINE, keyPath + L"\\" + name,
                                               rootValueName, ReadView64);
        root = ReplaceAll(TrimTrailingSeparators(root), L"/", L"\\");
        if (FileExists(root + L"\\bin\\matlab.exe")) AcceptRoot(list, root);
    }
}

std::vector<MatlabInstallation> FindMatlabInstallations() {
    std::vector<MatlabInstallation> list;
    ScanMatlabKey(list, L"Software\\MathWorks\\MATLAB", L"MATLABROOT");
    ScanMatlabKey(list, L"Software\\MathWorks\\Polyspace", L"POLYSPACEROOT");
    return list;
}

} // namespace qv
