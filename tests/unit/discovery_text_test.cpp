#include "discovery/matlab.h"
#include "discovery/path_text.h"
#include "discovery/visual_studio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace qv {
namespace {

TEST(PathText, StripPathLevels) {
    struct Case {
        const wchar_t* path;
        int levels;
        const wchar_t* result;
    };
    for (const Case& c : std::vector<Case>{{L"C:\\a\\b\\c", 2, L"C:\\a"},
                                           {L"D:/A/v193/x/y/z/", 3, L"D:\\A\\v193"},
                                           {L"C:\\VS\\Common7\\Tools\\", 2, L"C:\\VS"},
                                           {L"", 3, L""},
                                           {L"nofolder", 2, L"nofolder"},
                                           {L"C:\\a", 5, L"C:"}})
        EXPECT_EQ(StripPathLevels(c.path, c.levels), c.result) << c.path;
}

// Only a path whose every part the file system reads as written has enclosing folders to look at.
TEST(PathText, EnclosingFoldersOfPlainDriveAbsolutePathsOnly) {
    using Folders = std::vector<std::wstring>;
    struct Case {
        const wchar_t* folder;
        Folders enclosing;
    };
    const std::vector<Case> cases = {
        {L"C:\\Program Files\\ANSYS Inc\\v193\\fluent",
         {L"C:\\Program Files", L"C:\\Program Files\\ANSYS Inc",
          L"C:\\Program Files\\ANSYS Inc\\v193"}},
        {L"d:\\fluent", {}},
        {L"E:\\a\\b", {L"E:\\a"}},
        {L"C:\\missing\\..\\Program Files\\fluent", {}}, // ".." undoes the missing folder
        {L"C:\\a\\.\\b", {}},
        {L"C:\\Program Files.\\fluent", {}}, // a trailing dot or blank the platform may drop
        {L"C:\\Program Files \\fluent", {}},
        {L"C:\\a\\\\b", {}}, // an empty part
        {L"C:\\a:stream\\b", {}},
        {L"C:\\a*\\b", {}},
        {L"\\fluent", {}}, // the current drive's root
        {L"\\v193\\fluent", {}},
        {L"\\\\server\\share\\fluent", {}},
        {L"fluent", {}},
        {L"C:fluent\\x", {}},
        {L"C:", {}},
        {L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EnclosingFolders(c.folder), c.enclosing) << c.folder;
}

// A folder found missing rules out what lies in it by the text alone, only where listing the
// enclosing folders would have found it.
TEST(PathText, LiesInEnclosingFolderOnlyWhereItIsOneOfThem) {
    const std::wstring enclosing = L"C:\\Program Files\\ANSYS Inc";
    struct Case {
        const wchar_t* folder;
        bool lies;
    };
    for (const Case& c : std::vector<Case>{
             {L"C:\\Program Files\\ANSYS Inc\\v193\\fluent", true},
             {L"C:\\Program Files\\ANSYS Inc\\v193", true},
             {L"C:\\Program Files\\ANSYS Inc", false}, // the folder itself
             {L"C:\\Program Files\\ANSYS Inc\\", false},
             {L"C:\\Program Files\\ANSYS Incx\\fluent", false},
             {L"C:\\Program Files\\ANSYS Inc\\..\\x\\fluent", false},
             {L"C:\\Program Files\\ANSYS Inc\\v193.\\fluent", false},
             {L"C:\\Program Files\\ANSYS Inc\\v193\\fluent*", false},
             {L"c:\\program files\\ansys inc\\v193", false}, // as the lookups, by exact text
             {L"D:\\Program Files\\ANSYS Inc\\v193", false},
         }) {
        EXPECT_EQ(LiesInEnclosingFolder(c.folder, enclosing), c.lies) << c.folder;
        const std::vector<std::wstring> listed = EnclosingFolders(c.folder);
        EXPECT_EQ(std::find(listed.begin(), listed.end(), enclosing) != listed.end(), c.lies)
            << c.folder;
    }
}

TEST(PathText, SplitPathLikeTheCRuntime) {
    const auto parts = SplitPath(L"C:\\Program Files\\VS\\Common7\\IDE\\devenv.exe");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->drive, L"C:");
    EXPECT_EQ(parts->folder, L"\\Program Files\\VS\\Common7\\IDE\\");
    EXPECT_EQ(parts->name, L"devenv");
    EXPECT_EQ(parts->extension, L".exe");
    const auto bare = SplitPath(L"devenv");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->name, L"devenv");
    EXPECT_EQ(bare->extension, L"");
    // A part that does not fit its buffer yields nothing.
    EXPECT_FALSE(SplitPath(L"C:\\" + std::wstring(200, L'n') + L".exe"));
    EXPECT_FALSE(SplitPath(L"C:\\x\\devenv." + std::wstring(19, L'e')));
    EXPECT_FALSE(SplitPath(L"C:\\" + std::wstring(999, L'f') + L"\\devenv.exe"));
    EXPECT_TRUE(SplitPath(L"C:\\x\\" + std::wstring(199, L'n') + L"." + std::wstring(18, L'e')));
}

TEST(VisualStudio, ComponentFilesByLayoutAndWindowsBitness) {
    VisualStudioInstallation vs2010{L"2010", L"10", L"C:\\VS10"};
    const auto classic = ComponentFiles(vs2010, true);
    EXPECT_EQ(classic.compiler32, L"C:\\VS10\\VC\\bin\\cl.exe");
    EXPECT_EQ(classic.compiler64, L"C:\\VS10\\VC\\bin\\amd64\\cl.exe");
    EXPECT_EQ(classic.mfcHeader, L"C:\\VS10\\VC\\atlmfc\\include\\afxwin.h");
    EXPECT_EQ(classic.mfcLibrary, L"C:\\VS10\\VC\\atlmfc\\lib\\uafxcw.lib");
    EXPECT_EQ(classic.csharp, L"C:\\VS10\\VC#\\VCSPackages\\csproj.dll");
    EXPECT_EQ(ComponentFiles({L"2015", L"14", L"C:\\VS14"}, true).csharp, L"");

    VisualStudioInstallation vs2019{L"2019", L"16", L"C:\\VS", L"14.29.30133"};
    const auto toolset = ComponentFiles(vs2019, false);
    EXPECT_EQ(toolset.compiler32,
              L"C:\\VS\\VC\\Tools\\MSVC\\14.29.30133\\bin\\Hostx86\\x86\\cl.exe");
    EXPECT_EQ(toolset.compiler64,
              L"C:\\VS\\VC\\Tools\\MSVC\\14.29.30133\\bin\\Hostx86\\x64\\cl.exe");
    EXPECT_EQ(toolset.mfcHeader,
              L"C:\\VS\\VC\\Tools\\MSVC\\14.29.30133\\atlmfc\\include\\afxwin.h");
    EXPECT_EQ(toolset.mfcLibrary,
              L"C:\\VS\\VC\\Tools\\MSVC\\14.29.30133\\atlmfc\\lib\\x86\\uafxcw.lib");
    EXPECT_EQ(ComponentFiles(vs2019, true).mfcLibrary,
              L"C:\\VS\\VC\\Tools\\MSVC\\14.29.30133\\atlmfc\\lib\\x64\\uafxcw.lib");
    // An unreadable version file leaves the toolset empty: still the toolset layout.
    EXPECT_EQ(ComponentFiles({L"2017", L"15", L"C:\\VS"}, true).compiler32,
              L"C:\\VS\\VC\\Tools\\MSVC\\\\bin\\Hostx86\\x86\\cl.exe");
}

TEST(VisualStudio, ToolsetVersionLosesItsLineEndsButNotItsSpaces) {
    EXPECT_EQ(TrimToolsetVersion(L"14.29.30133\r\n"), L"14.29.30133");
    EXPECT_EQ(TrimToolsetVersion(L"14.29.30133\n\t\n"), L"14.29.30133");
    EXPECT_EQ(TrimToolsetVersion(L"14.29.30133 \n"), L"14.29.30133 ");
    EXPECT_EQ(TrimToolsetVersion(L"14.1\n\r\n"), L"14.1\n"); // line feeds go first, then returns
}

TEST(VisualStudio, RememberedVersionSelectsItsEntry) {
    const std::vector<VisualStudioInstallation> found = {
        {L"2015", L"14"}, {L"2017", L"15"}, {L"2019", L"16"}};
    EXPECT_EQ(RememberedVisualStudioIndex(found, L"15"), 1);
    EXPECT_EQ(RememberedVisualStudioIndex(found, L"12"), 0);
    EXPECT_EQ(RememberedVisualStudioIndex(found, L""), 0);
    EXPECT_EQ(ToolsVariableName(L"16"), L"VS160COMNTOOLS");
}

TEST(Matlab, ReleaseTextsAreNormalisedAndJudgedByTheirYear) {
    struct Case {
        const wchar_t* text;
        const wchar_t* release;
        bool supported;
    };
    for (const Case& c : std::vector<Case>{{L"R2016a", L"2016a", true},
                                           {L" R2020b\r\n", L"2020b", true},
                                           {L"2019b_update3", L"2019b_update3", true},
                                           {L"R2013b", L"2013b", false},
                                           {L"R2022a", L"2022a", false},
                                           {L"R2014a", L"2014a", true},
                                           {L"R2021b", L"2021b", true},
                                           {L"9.11", L"9.11", false},
                                           {L"MATLAB", L"matlab", false},
                                           {L"rr2019a", L"r2019a", false},
                                           {L"", L"", false}}) {
        const std::wstring release = NormaliseMatlabRelease(c.text);
        EXPECT_EQ(release, c.release) << c.text;
        EXPECT_EQ(IsSupportedMatlabRelease(release), c.supported) << c.text;
    }
}

TEST(Matlab, SetupScriptNamesTheReleaseInQuotes) {
    struct Case {
        const wchar_t* script;
        const wchar_t* release;
    };
    for (const Case& c : std::vector<Case>{{L"setup(name='x', version=\"R2017b\")", L"r2017b"},
                                           {L"    Version = \"R2018a\"\n", L"r2018a"},
                                           {L"version=\"R2017b\"; VERSION = \"R2019a\"", L"r2017b"},
                                           {L"no such words", nullptr},
                                           {L"version=R2017b", nullptr},
                                           {L"version=\"R2017b", nullptr}}) {
        const auto release = SetupScriptRelease(c.script);
        EXPECT_EQ(release.has_value(), c.release != nullptr) << c.script;
        if (release && c.release) {
            EXPECT_EQ(*release, c.release);
        }
    }
}

TEST(Matlab, RememberedReleaseIgnoresCase) {
    const std::vector<MatlabInstallation> found = {{L"C:\\M18", L"2018a"}, {L"C:\\M19", L"2019b"}};
    EXPECT_EQ(RememberedMatlabIndex(found, L"2019B"), 1);
    EXPECT_EQ(RememberedMatlabIndex(found, L"2020a"), 0);
    EXPECT_EQ(RememberedMatlabIndex(found, L""), 0);
}

} // namespace
} // namespace qv
