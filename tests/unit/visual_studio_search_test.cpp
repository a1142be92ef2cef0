// The log's line of one Visual Studio version: where discovery looked, what each source named and
// whether devenv.exe was there, and what a found installation lacks.
#include "discovery/visual_studio_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Source = VisualStudioSource;

const VisualStudioVersion Vs2010 = VisualStudioVersions[0];
const VisualStudioVersion Vs2015 = VisualStudioVersions[3];
const VisualStudioVersion Vs2017 = VisualStudioVersions[4];
const VisualStudioVersion Vs2019 = VisualStudioVersions[5];

VisualStudioSourceAnswer NotSet(Source source) {
    return {source};
}

VisualStudioSourceAnswer Names(Source source, const std::wstring& named, const std::wstring& devenv,
                               bool found) {
    return {source, named, devenv, found};
}

const std::wstring SxS = L"HKLM\\Software\\Microsoft\\VisualStudio\\SxS\\VS7 value ";
const std::wstring Environment =
    L" (HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment)";
const std::wstring Uninstall =
    L"the Uninstall entries (HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall)";

TEST(VisualStudioSearchText, EachSourceAskedIsNamedWithWhatItFound) {
    VisualStudioInstallation complete2015{L"2015", L"14", L"E:\\VS 14"};
    complete2015.hasCompiler32 = complete2015.hasCompiler64 = complete2015.hasMfc =
        complete2015.hasMfcHeader = true;
    VisualStudioInstallation partial2017{L"2017", L"15", L"D:\\VS15", L"14.16.27023"};
    partial2017.hasCompiler64 = partial2017.hasMfcHeader = true;
    VisualStudioInstallation partial2010{L"2010", L"10", L"D:\\VS10"};
    partial2010.hasCompiler32 = partial2010.hasCompiler64 = true;
    struct Case {
        const char* name;
        VisualStudioSearch search;
        const VisualStudioInstallation* installation;
        bool windows64;
        std::wstring expected;
    };
    const std::vector<Case> cases{
        {"nothing at any source",
         {Vs2019,
          {NotSet(Source::SideBySide), NotSet(Source::InstallDir),
           NotSet(Source::InstallDirVariable), NotSet(Source::UninstallEntry),
           NotSet(Source::DriveScan)}},
         nullptr,
         true,
         L"Visual Studio 2019 not found; asked (registry in its 32-bit view): " + SxS +
             L"16.0 not set; HKLM\\Software\\Microsoft\\VisualStudio\\16.0 value InstallDir not "
             L"set; the system variable VS2019INSTALLDIR" +
             Environment + L" not set; " + Uninstall +
             L": none names the devenv.exe of version 16; the default folders (Microsoft Visual "
             L"Studio\\2019\\Community, Professional or Enterprise in Program Files (x86) and "
             L"Program Files on drives C: to Z:): no devenv.exe"},
        {"registered, but no devenv.exe there",
         {Vs2019,
          {Names(Source::SideBySide, L"C:\\VS", L"C:\\VS\\Common7\\IDE\\devenv.exe", false),
           Names(Source::InstallDir, L"C:\\VS\\Common7\\IDE", L"C:\\VS\\Common7\\IDE\\devenv.exe",
                 false),
           NotSet(Source::InstallDirVariable),
           {Source::UninstallEntry, L"", L"", false, L"VisualStudio.16"},
           NotSet(Source::DriveScan)}},
         nullptr,
         false,
         L"Visual Studio 2019 not found; asked (registry in its 32-bit view): " + SxS +
             L"16.0 names C:\\VS: no devenv.exe at C:\\VS\\Common7\\IDE\\devenv.exe; "
             L"HKLM\\Software\\Microsoft\\VisualStudio\\16.0 value InstallDir names "
             L"C:\\VS\\Common7\\IDE: no devenv.exe at C:\\VS\\Common7\\IDE\\devenv.exe; the "
             L"system variable VS2019INSTALLDIR" +
             Environment + L" not set; " + Uninstall +
             L": entry VisualStudio.16 has no InstallLocation; the default folders (Microsoft "
             L"Visual Studio\\2019\\Community, Professional or Enterprise in Program Files on "
             L"drives C: to Z:): no devenv.exe"},
        {"found complete through its tools variable",
         {Vs2015,
          {NotSet(Source::SideBySide), NotSet(Source::InstallDir),
           Names(Source::ToolsVariable, L"E:\\VS 14\\Common7\\Tools",
                 L"E:\\VS 14\\Common7\\Tools\\..\\IDE\\devenv.exe", true)}},
         &complete2015,
         true,
         L"Visual Studio 2015 found, complete; asked (registry in its 32-bit view): " + SxS +
             L"14.0 not set; HKLM\\Software\\Microsoft\\VisualStudio\\14.0 value InstallDir not "
             L"set; the system variable VS140COMNTOOLS" +
             Environment +
             L" names E:\\VS 14\\Common7\\Tools: devenv.exe found at E:\\VS "
             L"14\\Common7\\Tools\\..\\IDE\\devenv.exe"},
        {"found incomplete through its Uninstall entry",
         {Vs2017,
          {NotSet(Source::SideBySide),
           NotSet(Source::InstallDir),
           NotSet(Source::InstallDirVariable),
           {Source::UninstallEntry, L"D:\\VS15", L"D:\\VS15\\Common7\\IDE\\devenv.exe", true,
            L"QvStudio15"}}},
         &partial2017,
         false,
         L"Visual Studio 2017 found, incomplete: no 32-bit compiler "
         L"D:\\VS15\\VC\\Tools\\MSVC\\14.16.27023\\bin\\Hostx86\\x86\\cl.exe, no MFC library "
         L"D:\\VS15\\VC\\Tools\\MSVC\\14.16.27023\\atlmfc\\lib\\x86\\uafxcw.lib; asked (registry "
         L"in its 32-bit view): " +
             SxS +
             L"15.0 not set; HKLM\\Software\\Microsoft\\VisualStudio\\15.0 value InstallDir not "
             L"set; the system variable VS2017INSTALLDIR" +
             Environment + L" not set; " + Uninstall +
             L": entry QvStudio15 names D:\\VS15: devenv.exe found at "
             L"D:\\VS15\\Common7\\IDE\\devenv.exe"},
        {"found on a drive without MFC's header or Visual C#",
         {Vs2010,
          {NotSet(Source::SideBySide), NotSet(Source::InstallDir), NotSet(Source::ToolsVariable),
           Names(Source::DriveScan, L"D:\\VS10", L"D:\\VS10\\Common7\\IDE\\devenv.exe", true)}},
         &partial2010,
         true,
         L"Visual Studio 2010 found, incomplete: no MFC header "
         L"D:\\VS10\\VC\\atlmfc\\include\\afxwin.h, "
         L"no Visual C# D:\\VS10\\VC#\\VCSPackages\\csproj.dll; asked (registry in its 32-bit "
         L"view): " +
             SxS +
             L"10.0 not set; HKLM\\Software\\Microsoft\\VisualStudio\\10.0 value InstallDir not "
             L"set; the system variable VS100COMNTOOLS" +
             Environment +
             L" not set; the default folders (Microsoft Visual Studio 10.0 in Program Files (x86) "
             L"and Program Files on drives C: to Z:): devenv.exe found at "
             L"D:\\VS10\\Common7\\IDE\\devenv.exe"},
        // Discovery stopped at its toolset file: the line says where it was found, no more.
        {"found, not listed",
         {Vs2017,
          {Names(Source::SideBySide, L"D:\\VS2017", L"D:\\VS2017\\Common7\\IDE\\devenv.exe",
                 true)}},
         nullptr,
         true,
         L"Visual Studio 2017 found; asked (registry in its 32-bit view): " + SxS +
             L"15.0 names D:\\VS2017: devenv.exe found at D:\\VS2017\\Common7\\IDE\\devenv.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VisualStudioSearchLogText(c.search, c.installation, c.windows64), c.expected)
            << c.name;
}

} // namespace
} // namespace qv
