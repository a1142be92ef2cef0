// Lays out the demo sandbox: simulated Fluent, Workbench, add-on and MATLAB installations below a
// root, built from the stand-ins, each labelled as simulated. Usage:
//   qv_make_sandbox <root>
// The stand-ins are those of the build, of both bitnesses. With a drive as root (D:\), the Fluent
// folders sit where discovery looks by default (D:\Program Files\ANSYS Inc\v193\fluent). The
// launcher is made to remember Fluent 2025 R2, so that OK starts it at once.
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/simulated_install_win.h"

#include <cstdio>
#include <string>

#ifndef QV_FAKES32_DIR_DEFAULT
#define QV_FAKES32_DIR_DEFAULT ""
#endif
#ifndef QV_FAKES64_DIR_DEFAULT
#define QV_FAKES64_DIR_DEFAULT ""
#endif

namespace {

using namespace qv::test;

// The build knows the stand-ins by their Unix paths.
std::wstring BuiltFakesFolder(const std::string& unixPath) {
    return unixPath.empty() ? L"" : WindowsPathFromUnix(unixPath);
}

struct FluentRelease {
    const wchar_t* versionFolder; // v193
    const wchar_t* release;       // fluent19.3.0
    const wchar_t* version;       // 19.3
    bool is64Bit;
};

// A spread over the command line's version thresholds: 6.3 (32-bit, escaped quotes), 19.3, 21.2
// (the add-on's serial start program) and 25.2.
constexpr FluentRelease Releases[] = {
    {L"v63", L"fluent6.3.26", L"6.3", false},
    {L"v193", L"fluent19.3.0", L"19.3", true},
    {L"v212", L"fluent21.2.0", L"21.2", true},
    {L"v252", L"fluent25.2.0", L"25.2", true},
};

bool Report(bool complete, const std::wstring& path) {
    std::wprintf(L"%ls %ls\n", complete ? L"made" : L"INCOMPLETE", path.c_str());
    return complete;
}

bool LayOutSandbox(const std::wstring& root, const FakeProgramFolders& fakes) {
    bool complete =
        LabelAsSimulated(root, L"demo sandbox of Fluent, Workbench, MATLAB and the Quorvex add-on");
    const bool windows64 = qv::IsWindows64Bit();
    std::vector<std::wstring> versions;
    std::wstring newest;
    for (const auto& release : Releases) {
        const std::wstring folder =
            root + L"\\Program Files\\ANSYS Inc\\" + release.versionFolder + L"\\fluent";
        // On 32-bit Windows the newer releases are simulated 32-bit, so that they can start.
        const bool is64Bit = release.is64Bit && windows64;
        complete &= Report(LayOutFluent(fakes, folder, release.release, is64Bit).complete, folder);
        versions.emplace_back(release.version);
        newest = folder;
    }
    complete &=
        qv::WriteRegistryString(HKEY_CURRENT_USER, qv::SettingsKeyPath, L"FluentPathsUsed", newest);
    const SimulatedProduct product = LayOutProductFolder(fakes, root + L"\\Quorvex", versions);
    complete &= Report(product.complete, product.folder);
    const SimulatedMatlab matlab =
        LayOutMatlab(fakes, root + L"\\Program Files\\MATLAB\\R2020b", true);
    complete &= Report(matlab.complete && RegisterMatlab(L"9.9", matlab.root), matlab.root);
    const SimulatedVisualStudio vs =
        LayOutVisualStudio2019(fakes,
                               root + (windows64 ? L"\\Program Files (x86)" : L"\\Program Files") +
                                   L"\\Microsoft Visual Studio\\2019\\Community",
                               windows64);
    complete &= Report(vs.complete, vs.root);
    return complete;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: qv_make_sandbox <root>\n");
        return 2;
    }
    std::wstring root = argv[1];
    while (root.size() > 3 && (root.back() == L'\\' || root.back() == L'/'))
        root.pop_back();
    if (root.size() == 3 && root.back() == L'\\') root.pop_back(); // D:\ -> D:
    const FakeProgramFolders fakes{BuiltFakesFolder(QV_FAKES32_DIR_DEFAULT),
                                   BuiltFakesFolder(QV_FAKES64_DIR_DEFAULT)};
    return LayOutSandbox(root, fakes) ? 0 : 1;
}
