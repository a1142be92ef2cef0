// Visual Studio discovery against real registry keys (32-bit view) and real folder trees on C:
// and on the mapped drives D: and E:.
#include "base/environment_win.h"
#include "base/system_win.h"
#include "discovery/visual_studio_search.h"
#include "discovery/visual_studio_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

using test::ScopedRegistryKey;
using test::ScopedRegistryValue;

constexpr REGSAM View32 = KEY_WOW64_32KEY;
constexpr wchar_t SystemEnvironment[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t Uninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Lays out a Visual Studio installation below a root and removes it afterwards.
class FakeVisualStudio {
  public:
    FakeVisualStudio(std::wstring root, std::wstring toolset = L"")
        : root_(std::move(root)), toolset_(std::move(toolset)) {
        EXPECT_TRUE(test::WriteFileBytes(root_ + L"\\Common7\\IDE\\devenv.exe", "MZ")) << root_;
        EXPECT_TRUE(test::MakeFolders(root_ + L"\\Common7\\Tools")) << root_;
        if (!toolset_.empty()) {
            EXPECT_TRUE(test::WriteFileBytes(
                root_ + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt",
                std::string(toolset_.begin(), toolset_.end()) + "\r\n"))
                << root_;
        }
    }
    ~FakeVisualStudio() { EXPECT_TRUE(test::RemoveTree(root_)) << root_; }
    void AddFile(const std::wstring& relative) const {
        EXPECT_TRUE(test::WriteFileBytes(root_ + L"\\" + relative, "x")) << relative;
    }
    const std::wstring& Root() const { return root_; }

  private:
    std::wstring root_, toolset_;
};

class VisualStudioDiscoveryTest : public ::testing::Test {
  protected:
    // Discovery sets the tools variable of every version it finds in this process: each is owned
    // by the test, absent at its start and as before at its end.
    VisualStudioDiscoveryTest() {
        for (int n : {10, 11, 12, 14, 15, 16}) {
            const std::wstring number = std::to_wstring(n);
            keys_.push_back(std::make_unique<ScopedRegistryKey>(
                HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\" + number + L".0",
                View32));
            values_.push_back(std::make_unique<ScopedRegistryValue>(
                HKEY_LOCAL_MACHINE, SystemEnvironment, L"VS" + number + L"0COMNTOOLS", View32));
            toolsVariables_.push_back(
                std::make_unique<test::ScopedVariable>(L"VS" + number + L"0COMNTOOLS"));
        }
        keys_.push_back(std::make_unique<ScopedRegistryKey>(
            HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS", View32));
        for (const wchar_t* name : {L"VS2017INSTALLDIR", L"VS2019INSTALLDIR"})
            values_.push_back(std::make_unique<ScopedRegistryValue>(
                HKEY_LOCAL_MACHINE, SystemEnvironment, name, View32));
    }
    void SetUp() override {
        for (const auto& variable : toolsVariables_)
            ASSERT_TRUE(variable->Remove());
    }
    // An Uninstall entry, removed afterwards.
    void AddUninstallEntry(const std::wstring& name, const std::wstring& icon,
                           const std::wstring& version, const std::wstring& location) {
        keys_.push_back(std::make_unique<ScopedRegistryKey>(
            HKEY_LOCAL_MACHINE, std::wstring(Uninstall) + L"\\" + name, View32));
        EXPECT_TRUE(keys_.back()->SetString(L"DisplayIcon", icon) &&
                    keys_.back()->SetString(L"DisplayVersion", version) &&
                    keys_.back()->SetString(L"InstallLocation", location))
            << name;
    }
    static std::wstring ProgramFiles32() {
        return test::RunsInWin64Prefix() ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    }
    static std::vector<std::wstring> Years(const VisualStudioDiscovery& found) {
        std::vector<std::wstring> years;
        for (const auto& vs : found.installations)
            years.push_back(vs.year);
        return years;
    }

    std::vector<std::unique_ptr<ScopedRegistryKey>> keys_;
    std::vector<std::unique_ptr<ScopedRegistryValue>> values_;
    std::vector<std::unique_ptr<test::ScopedVariable>> toolsVariables_;
};

TEST_F(VisualStudioDiscoveryTest, NothingInstalledFindsNothing) {
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    EXPECT_TRUE(found.installations.empty());
    EXPECT_FALSE(found.toolsetFileMissing);
    EXPECT_FALSE(FindEnvironmentVariable(L"VS160COMNTOOLS").has_value());
    // The same search finds a Visual Studio laid out where it looks.
    FakeVisualStudio vs(ProgramFiles32() + L"\\Microsoft Visual Studio\\2019\\Community",
                        L"14.29.30133");
    EXPECT_EQ(Years(DiscoverVisualStudio()), std::vector<std::wstring>{L"2019"});
}

TEST_F(VisualStudioDiscoveryTest, Vs2019RegisteredNowhereIsFoundOnTheDriveAndProbed) {
    FakeVisualStudio vs(ProgramFiles32() + L"\\Microsoft Visual Studio\\2019\\Community",
                        L"14.29.30133");
    const std::wstring tools = L"VC\\Tools\\MSVC\\14.29.30133\\";
    vs.AddFile(tools + L"bin\\Hostx86\\x64\\cl.exe");
    vs.AddFile(tools + L"atlmfc\\include\\afxwin.h");
    vs.AddFile(tools + L"atlmfc\\lib\\" + (test::RunsInWin64Prefix() ? L"x64" : L"x86") +
               L"\\uafxcw.lib");
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    ASSERT_EQ(found.installations.size(), 1u);
    const VisualStudioInstallation& v = found.installations[0];
    EXPECT_EQ(v.year, L"2019");
    EXPECT_EQ(v.number, L"16");
    EXPECT_EQ(v.root, vs.Root());
    EXPECT_EQ(v.toolset, L"14.29.30133");
    EXPECT_FALSE(v.hasCompiler32);
    EXPECT_TRUE(v.hasCompiler64);
    EXPECT_TRUE(v.hasMfc);
    EXPECT_FALSE(v.hasCSharp);
    EXPECT_EQ(ReadEnvironmentVariable(L"VS160COMNTOOLS"), vs.Root() + L"\\Common7\\Tools\\");
}

TEST_F(VisualStudioDiscoveryTest, Windows32NeverLooksUnderProgramFilesX86OnWindows32) {
    ASSERT_FALSE(test::RunsInWin64Prefix()) << "registered for 32-bit Windows only";
    {
        FakeVisualStudio vs(L"C:\\Program Files (x86)\\Microsoft Visual Studio\\2019\\Community",
                            L"14.29.30133");
        FakeVisualStudio old(L"D:\\Program Files (x86)\\Microsoft Visual Studio 12.0");
        EXPECT_TRUE(DiscoverVisualStudio().installations.empty());
    }
    // Under Program Files the same two are found.
    FakeVisualStudio vs(L"C:\\Program Files\\Microsoft Visual Studio\\2019\\Community",
                        L"14.29.30133");
    FakeVisualStudio old(L"D:\\Program Files\\Microsoft Visual Studio 12.0");
    EXPECT_EQ(Years(DiscoverVisualStudio()), (std::vector<std::wstring>{L"2013", L"2019"}));
}

TEST_F(VisualStudioDiscoveryTest, Vs2015FoundOnlyThroughItsToolsVariable) {
    FakeVisualStudio vs(L"E:\\Tools\\VS 14");
    vs.AddFile(L"VC\\bin\\cl.exe");
    ASSERT_TRUE(values_[3]->SetString(L"E:\\Tools\\VS 14\\Common7\\Tools\\"));
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    ASSERT_EQ(found.installations.size(), 1u);
    EXPECT_EQ(found.installations[0].year, L"2015");
    EXPECT_EQ(found.installations[0].root, L"E:\\Tools\\VS 14");
    EXPECT_TRUE(found.installations[0].hasCompiler32);
    EXPECT_FALSE(found.installations[0].hasMfc);
}

TEST_F(VisualStudioDiscoveryTest, Vs2015FoundThroughInstallDirHasItsIdeFolderRemoved) {
    FakeVisualStudio vs(L"D:\\VS2015");
    ASSERT_TRUE(keys_[3]->SetString(L"InstallDir", L"D:\\VS2015\\Common7\\IDE\\"));
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    ASSERT_EQ(found.installations.size(), 1u);
    EXPECT_EQ(found.installations[0].root, L"D:\\VS2015");
    EXPECT_EQ(ReadEnvironmentVariable(L"VS140COMNTOOLS"), L"D:\\VS2015\\Common7\\Tools\\");
}

TEST_F(VisualStudioDiscoveryTest, ValueInTheOtherRegistryViewIsNotFoundOnWindows64) {
    ASSERT_TRUE(test::RunsInWin64Prefix())
        << "32-bit Windows has one registry view: registered for 64-bit only";
    FakeVisualStudio vs(L"D:\\VS2013");
    ScopedRegistryKey sxs64(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                            KEY_WOW64_64KEY);
    ASSERT_TRUE(sxs64.SetString(L"12.0", L"D:\\VS2013"));
    EXPECT_TRUE(DiscoverVisualStudio().installations.empty());
    ScopedRegistryKey sxs32(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                            View32);
    ASSERT_TRUE(sxs32.SetString(L"12.0", L"D:\\VS2013\\"));
    EXPECT_EQ(Years(DiscoverVisualStudio()), std::vector<std::wstring>{L"2013"});
}

TEST_F(VisualStudioDiscoveryTest, UninstallScanSkipsOtherProgramsAndVersions) {
    FakeVisualStudio wrong(L"D:\\VS16", L"14.29.30133");
    FakeVisualStudio right(L"E:\\VS15", L"14.16.27023");
    AddUninstallEntry(L"QvOtherProgram", L"D:\\VS16\\Common7\\IDE\\notdevenv.exe", L"15.0",
                      L"D:\\VS16");
    AddUninstallEntry(L"QvNewerStudio", L"D:\\VS16\\Common7\\IDE\\devenv.exe", L"16.11.34031.81",
                      L"D:\\VS16");
    // A quoted icon path does not split into devenv and .exe.
    AddUninstallEntry(L"QvQuotedIcon", L"\"D:\\VS16\\Common7\\IDE\\devenv.exe\"", L"14.0",
                      L"D:\\VS16");
    AddUninstallEntry(L"Qv" + std::wstring(60, L'L'), L"E:\\VS15\\Common7\\IDE\\devenv.exe",
                      L"15.9", L"D:\\VS16");
    AddUninstallEntry(L"QvStudio2017", L" E:\\VS15\\Common7\\IDE\\DEVENV.EXE\\ ", L" 15.9.28307.1",
                      L"E:\\VS15\\");
    EXPECT_EQ(FindDevenvInUninstallKey(15), L"E:\\VS15");
    EXPECT_EQ(FindDevenvInUninstallKey(16), L"D:\\VS16");
    EXPECT_EQ(FindDevenvInUninstallKey(14), L"");
}

TEST_F(VisualStudioDiscoveryTest, FoundVersionsAreListedInYearOrder) {
    FakeVisualStudio vs2019(L"D:\\Program Files\\Microsoft Visual Studio\\2019\\Professional",
                            L"14.29.30133");
    FakeVisualStudio vs2012(L"E:\\Studio11");
    ScopedRegistryKey sxs(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                          View32);
    ASSERT_TRUE(sxs.SetString(L"11.0", L"E:\\Studio11"));
    FakeVisualStudio vs2010(L"E:\\Program Files\\Microsoft Visual Studio 10.0");
    vs2010.AddFile(L"VC#\\VCSPackages\\csproj.dll");
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    EXPECT_EQ(Years(found), (std::vector<std::wstring>{L"2010", L"2012", L"2019"}));
    ASSERT_EQ(found.installations.size(), 3u);
    EXPECT_TRUE(found.installations[0].hasCSharp);
    EXPECT_FALSE(found.installations[1].hasCSharp);
}

TEST_F(VisualStudioDiscoveryTest, MissingOrUnreadableToolsetFileStopsDiscovery) {
    FakeVisualStudio vs(L"D:\\VS2017");
    ASSERT_TRUE(values_[6]->SetString(L"D:\\VS2017"));
    const std::wstring file =
        L"D:\\VS2017\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
    EXPECT_TRUE(DiscoverVisualStudio().toolsetFileMissing);
    ASSERT_TRUE(test::MakeFolders(file)); // a folder by the file's name
    EXPECT_TRUE(DiscoverVisualStudio().toolsetFileMissing);
    EXPECT_FALSE(ReadVcToolsVersion(L"D:\\VS2017").has_value());
    // Once the file is there, the same installation is found.
    ASSERT_TRUE(test::RemoveTree(file));
    ASSERT_TRUE(test::WriteFileBytes(file, "14.16.27023\r\n"));
    EXPECT_EQ(ReadVcToolsVersion(L"D:\\VS2017"), L"14.16.27023");
    const VisualStudioDiscovery found = DiscoverVisualStudio();
    EXPECT_FALSE(found.toolsetFileMissing);
    EXPECT_EQ(Years(found), std::vector<std::wstring>{L"2017"});
}

TEST_F(VisualStudioDiscoveryTest, OddToolsetFilesGiveNoCrash) {
    FakeVisualStudio vs(L"D:\\VS2019");
    const std::wstring file =
        L"D:\\VS2019\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt";
    ASSERT_TRUE(test::WriteFileBytes(file, ""));
    EXPECT_EQ(ReadVcToolsVersion(L"D:\\VS2019"), std::wstring());
    ASSERT_TRUE(test::WriteFileBytes(file, std::string("\x00\xff\xfe\x01\n\x80", 6)));
    EXPECT_TRUE(ReadVcToolsVersion(L"D:\\VS2019").has_value());
    ASSERT_TRUE(test::WriteFileBytes(file, std::string(3 << 20, '7')));
    EXPECT_LE(ReadVcToolsVersion(L"D:\\VS2019")->size(),
              static_cast<std::size_t>((1 << 20) + 1024));
}

// What the log says of each version, from what discovery asked on real keys and folders: nothing
// anywhere, a registration whose folder lacks devenv.exe, and an installation found complete or
// lacking a part, each named with where it was looked for.
TEST_F(VisualStudioDiscoveryTest, EachVersionsSearchSaysWhereItLookedAndWhatWasThere) {
    const std::wstring sxs = L"HKLM\\Software\\Microsoft\\VisualStudio\\SxS\\VS7 value 16.0";
    const std::wstring notSet =
        L"Visual Studio 2019 not found; asked (registry in its 32-bit view): " + sxs +
        L" not set; HKLM\\Software\\Microsoft\\VisualStudio\\16.0 value InstallDir not set; the "
        L"system variable VS2019INSTALLDIR (HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session "
        L"Manager\\Environment) not set; the Uninstall entries "
        L"(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall): none names the "
        L"devenv.exe of version 16; the default folders (Microsoft Visual Studio\\2019\\Community, "
        L"Professional or Enterprise in " +
        std::wstring(test::RunsInWin64Prefix() ? L"Program Files (x86) and Program Files"
                                               : L"Program Files") +
        L" on drives C: to Z:): no devenv.exe";
    const std::wstring root = L"D:\\Studio 2019";
    const std::wstring tools = L"VC\\Tools\\MSVC\\14.29.30133\\";
    const std::wstring mfcLibrary =
        tools + L"atlmfc\\lib\\" + (test::RunsInWin64Prefix() ? L"x64" : L"x86") + L"\\uafxcw.lib";
    struct Case {
        const char* name;
        bool registered, devenv;
        std::vector<std::wstring> parts; // relative to the root
        std::wstring line2019;           // the whole line, or its start where it names the parts
        std::size_t answers2019;         // sources asked for 2019
    };
    const std::vector<Case> cases{
        {"none installed", false, false, {}, notSet, 5},
        {"2019 registered, its folder without devenv.exe",
         true,
         false,
         {},
         L"Visual Studio 2019 not found; asked (registry in its 32-bit view): " + sxs + L" names " +
             root + L": no devenv.exe at " + root +
             L"\\Common7\\IDE\\devenv.exe; HKLM\\Software\\Microsoft\\VisualStudio\\16.0 value "
             L"InstallDir not set;",
         5},
        {"2019 registered and complete",
         true,
         true,
         {tools + L"bin\\Hostx86\\x86\\cl.exe", tools + L"bin\\Hostx86\\x64\\cl.exe",
          tools + L"atlmfc\\include\\afxwin.h", mfcLibrary},
         L"Visual Studio 2019 found, complete; asked (registry in its 32-bit view): " + sxs +
             L" names " + root + L": devenv.exe found at " + root + L"\\Common7\\IDE\\devenv.exe",
         1},
        {"2019 registered without its 32-bit compiler and MFC library",
         true,
         true,
         {tools + L"bin\\Hostx86\\x64\\cl.exe", tools + L"atlmfc\\include\\afxwin.h"},
         L"Visual Studio 2019 found, incomplete: no 32-bit compiler " + root + L"\\" + tools +
             L"bin\\Hostx86\\x86\\cl.exe, no MFC library " + root + L"\\" + mfcLibrary +
             L"; asked (registry in its 32-bit view): " + sxs + L" names " + root,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::MakeFolders(root + L"\\Common7\\Tools"));
        std::unique_ptr<FakeVisualStudio> vs;
        if (c.devenv) vs = std::make_unique<FakeVisualStudio>(root, L"14.29.30133");
        for (const std::wstring& part : c.parts)
            vs->AddFile(part);
        ScopedRegistryKey sxsKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                                 View32);
        if (c.registered) {
            ASSERT_TRUE(sxsKey.SetString(L"16.0", root + L"\\"));
        }

        const VisualStudioDiscovery found = DiscoverVisualStudio();
        ASSERT_EQ(found.searches.size(), 6u);
        std::vector<std::wstring> lines;
        for (const VisualStudioSearch& search : found.searches)
            lines.push_back(VisualStudioSearchLogText(
                search, found.installations.empty() ? nullptr : &found.installations.back(),
                IsWindows64Bit()));
        // The versions before 2019 were looked for everywhere and found nowhere.
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind(L"Visual Studio " +
                                         std::wstring(VisualStudioVersions[i].year) +
                                         L" not found; asked (registry in its 32-bit view): ",
                                     0),
                      0u)
                << lines[i];
        EXPECT_EQ(found.searches.back().answers.size(), c.answers2019);
        EXPECT_EQ(lines.back().substr(0, c.line2019.size()), c.line2019);
        EXPECT_EQ(found.installations.size(), c.devenv ? 1u : 0u);
        ASSERT_TRUE(test::RemoveTree(root));
    }
}

// One run answers every version from shared reads (one Uninstall scan, one look at each drive
// folder): on each layout the list is what each version's sources give on their own.
TEST_F(VisualStudioDiscoveryTest, SharedReadsListWhatEachVersionsSourcesFind) {
    struct Found {
        std::wstring year, root;
    };
    struct Layout {
        const char* name;
        std::vector<std::wstring> installations; // roots with devenv.exe (and a toolset file)
        std::vector<std::wstring> files;         // other files, such as one named like a folder
        std::vector<std::pair<std::wstring, std::wstring>> sideBySide; // "15.0" -> root
        std::vector<std::pair<std::wstring, std::wstring>> uninstall;  // version -> location
        std::vector<Found> expected;
    };
    const std::wstring pf32 = ProgramFiles32() + L"\\Microsoft Visual Studio";
    const std::vector<Layout> layouts = {
        {"2017 and 2019 from one Uninstall scan",
         {L"D:\\VS15", L"E:\\VS16"},
         {},
         {},
         {{L"16.11.1", L"E:\\VS16"}, {L"15.9.2", L"D:\\VS15"}},
         {{L"2017", L"D:\\VS15"}, {L"2019", L"E:\\VS16"}}},
        {"a registered root without devenv, then the drive scan",
         {pf32 + L"\\2019\\Community", L"D:\\VS15"},
         {},
         {{L"16.0", L"D:\\Nothing"}, {L"15.0", L"D:\\VS15"}},
         {},
         {{L"2017", L"D:\\VS15"}, {L"2019", pf32 + L"\\2019\\Community"}}},
        {"a file named like the program folder on one drive, the studio on the next",
         {L"E:\\Program Files\\Microsoft Visual Studio\\2019\\Enterprise"},
         {L"D:\\Program Files (x86)"},
         {},
         {},
         {{L"2019", L"E:\\Program Files\\Microsoft Visual Studio\\2019\\Enterprise"}}},
        {"classic versions on two drives, none on C:",
         {L"D:\\Program Files\\Microsoft Visual Studio 10.0",
          L"E:\\Program Files\\Microsoft Visual Studio 14.0"},
         {},
         {},
         {},
         {{L"2010", L"D:\\Program Files\\Microsoft Visual Studio 10.0"},
          {L"2015", L"E:\\Program Files\\Microsoft Visual Studio 14.0"}}},
    };
    for (const Layout& layout : layouts) {
        std::vector<std::unique_ptr<FakeVisualStudio>> installed;
        for (const std::wstring& root : layout.installations)
            installed.push_back(std::make_unique<FakeVisualStudio>(root, L"14.29.30133"));
        // Earlier tests may have left the empty folders of their roots there.
        for (const std::wstring& file : layout.files)
            ASSERT_TRUE(test::RemoveTree(file) && test::WriteFileBytes(file, "x")) << file;
        ScopedRegistryKey sxs(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VisualStudio\\SxS\\VS7",
                              View32);
        for (const auto& [number, root] : layout.sideBySide)
            ASSERT_TRUE(sxs.SetString(number, root));
        std::vector<std::unique_ptr<ScopedRegistryKey>> entries;
        for (const auto& [version, location] : layout.uninstall) {
            entries.push_back(std::make_unique<ScopedRegistryKey>(
                HKEY_LOCAL_MACHINE, std::wstring(Uninstall) + L"\\QvStudio" + version, View32));
            ASSERT_TRUE(entries.back()->SetString(L"DisplayIcon",
                                                  location + L"\\Common7\\IDE\\devenv.exe") &&
                        entries.back()->SetString(L"DisplayVersion", version) &&
                        entries.back()->SetString(L"InstallLocation", location));
        }
        const VisualStudioDiscovery found = DiscoverVisualStudio();
        std::vector<std::wstring> listed, expected;
        for (const auto& vs : found.installations)
            listed.push_back(vs.year + L" " + vs.root);
        for (const Found& vs : layout.expected)
            expected.push_back(vs.year + L" " + vs.root);
        EXPECT_EQ(listed, expected) << layout.name;
        for (const auto& vs : found.installations)
            EXPECT_EQ(LocateVisualStudio(std::stoi(vs.number)).root, vs.root) << layout.name;
        for (const std::wstring& file : layout.files)
            EXPECT_TRUE(test::RemoveTree(file)) << file;
    }
}

} // namespace
} // namespace qv
