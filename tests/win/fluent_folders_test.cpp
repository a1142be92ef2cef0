#include "discovery/fluent_folders_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qv {
namespace {

using Names = std::vector<std::wstring>;

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

void MakeRelease(const test::TempFolder& fluent, const std::wstring& name) {
    EXPECT_TRUE(test::WriteFileBytes(fluent / (name + L"\\src\\udf.h"), "/* udf */")) << name;
}

void MakeExecutable(const test::TempFolder& fluent, const wchar_t* platform) {
    EXPECT_TRUE(test::WriteFileBytes(
        fluent / (std::wstring(L"ntbin\\") + platform + L"\\fluent.exe"), "MZ"));
}

TEST(FluentFolders, ReleaseFoldersNeedTheNamePatternAndAUdfHeader) {
    test::TempFolder fluent;
    MakeRelease(fluent, L"fluent19.3.0");
    MakeRelease(fluent, L"Fluent22.1.0"); // pattern ignores case
    MakeRelease(fluent, L"fluent-tools"); // no dots
    MakeRelease(fluent, L"fluent19.3");   // one dot only
    ASSERT_TRUE(test::WriteFileBytes(fluent / L"fluent19.2.0\\src\\udf\\udf.h",
                                     "x")); // the second place counts
    ASSERT_TRUE(
        test::WriteFileBytes(fluent / L"fluent20.1.0\\src\\other.h", "x"));  // src without a header
    ASSERT_TRUE(test::MakeFolders(fluent / L"fluent21.1.0\\src\\udf.h"));    // udf.h is a folder
    ASSERT_TRUE(test::WriteFileBytes(fluent / L"fluent21.2.0\\udf.h", "x")); // no src folder
    ASSERT_TRUE(test::WriteFileBytes(fluent / L"fluent23.1.0\\src", "x"));   // src is a file
    ASSERT_TRUE(test::WriteFileBytes(fluent / L"fluent24.1.0", "x"));        // a file, not a folder

    EXPECT_EQ(Sorted(ListReleaseFolders(fluent.Path())),
              (Names{L"Fluent22.1.0", L"fluent19.2.0", L"fluent19.3.0"}));
}

TEST(FluentFolders, ExecutablesAreListedNtx86First) {
    test::TempFolder both;
    MakeExecutable(both, L"win64");
    MakeExecutable(both, L"ntx86");
    EXPECT_EQ(ListFluentExecutables(both.Path()),
              (Names{both / L"ntbin\\ntx86\\fluent.exe", both / L"ntbin\\win64\\fluent.exe"}));

    test::TempFolder empty64;
    ASSERT_TRUE(test::MakeFolders(empty64 / L"ntbin\\win64"));
    ASSERT_TRUE(test::MakeFolders(empty64 / L"ntbin\\ntx86\\fluent.exe")); // a folder by that name
    EXPECT_TRUE(ListFluentExecutables(empty64.Path()).empty());
}

TEST(FluentFolders, FolderIsNormalisedBeforeListing) {
    test::TempFolder fluent;
    MakeRelease(fluent, L"fluent19.3.0");
    MakeExecutable(fluent, L"win64");
    std::wstring slashed = L"  " + fluent.Path() + L"\\/\\ ";
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    EXPECT_EQ(ListReleaseFolders(slashed), Names{L"fluent19.3.0"});
    EXPECT_EQ(ListFluentExecutables(slashed), Names{fluent / L"ntbin\\win64\\fluent.exe"});
}

TEST(FluentFolders, ResolvesASingleSupportedRelease) {
    test::TempFolder fluent;
    MakeRelease(fluent, L"fluent19.3.0");
    MakeRelease(fluent, L"fluent-tools");
    MakeExecutable(fluent, L"win64");
    const FluentFolderResolution r = ResolveFluentFolder(fluent.Path() + L"\\");
    ASSERT_EQ(r.status, FluentFolderStatus::Resolved);
    EXPECT_EQ(r.releaseName, L"fluent19.3.0");
    EXPECT_EQ(r.versionText, L"19.3");
    EXPECT_EQ(r.versionNumber, 19.3);
    EXPECT_EQ(r.executable, fluent / L"ntbin\\win64\\fluent.exe");
}

TEST(FluentFolders, BothExecutablesOrTwoReleasesAreNotExactlyOne) {
    test::TempFolder twoExecutables;
    MakeRelease(twoExecutables, L"fluent19.3.0");
    MakeExecutable(twoExecutables, L"win64");
    MakeExecutable(twoExecutables, L"ntx86");
    const FluentFolderResolution r = ResolveFluentFolder(twoExecutables.Path() + L"/");
    EXPECT_EQ(r.status, FluentFolderStatus::NotExactlyOne);
    EXPECT_EQ(r.folder, twoExecutables.Path());

    test::TempFolder twoReleases;
    MakeRelease(twoReleases, L"fluent19.3.0");
    MakeRelease(twoReleases, L"fluent19.2.0");
    MakeExecutable(twoReleases, L"win64");
    EXPECT_EQ(ResolveFluentFolder(twoReleases.Path()).status, FluentFolderStatus::NotExactlyOne);

    EXPECT_EQ(ResolveFluentFolder(twoReleases / L"missing").status,
              FluentFolderStatus::NotExactlyOne);
}

TEST(FluentFolders, CapitalFReleaseIsListedButNeverSupported) {
    test::TempFolder fluent;
    MakeRelease(fluent, L"Fluent19.3.0");
    MakeExecutable(fluent, L"win64");
    EXPECT_EQ(ListReleaseFolders(fluent.Path()), Names{L"Fluent19.3.0"});
    const FluentFolderResolution r = ResolveFluentFolder(fluent.Path());
    EXPECT_EQ(r.status, FluentFolderStatus::UnsupportedVersion);
    EXPECT_EQ(r.versionText, L"Fluent19.3");
}

TEST(FluentFolders, BareDriveIsAFluentFolder) {
    // D: is mapped by the test runner to an empty folder.
    test::RemoveOnExit tree{{L"D:\\fluent22.2.0", L"D:\\ntbin"}};
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\fluent22.2.0\\src\\udf\\udf.h", "x"));
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\ntbin\\ntx86\\fluent.exe", "MZ"));
    for (const wchar_t* folder : {L"D:", L"D:\\", L"d:/"}) {
        const FluentFolderResolution r = ResolveFluentFolder(folder);
        ASSERT_EQ(r.status, FluentFolderStatus::Resolved) << folder;
        EXPECT_EQ(r.releaseName, L"fluent22.2.0");
        EXPECT_EQ(r.executable, NormaliseFolderPath(folder) + L"\\ntbin\\ntx86\\fluent.exe");
    }
}

TEST(FluentFolders, EmptyFolderHoldsNothingEvenWhenTheDriveRootWould) {
    // The root of the current drive holds a complete Fluent folder; an empty or blank folder
    // text must not find it.
    test::RemoveOnExit tree{{L"D:\\fluent19.3.0", L"D:\\ntbin"}};
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\fluent19.3.0\\src\\udf.h", "x"));
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\ntbin\\win64\\fluent.exe", "MZ"));
    ASSERT_EQ(ResolveFluentFolder(L"D:\\").status, FluentFolderStatus::Resolved);
    wchar_t previous[MAX_PATH] = {};
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(L"D:\\"));
    for (const wchar_t* folder : {L"", L"  ", L"\\", L"/"}) {
        EXPECT_TRUE(ListReleaseFolders(folder).empty()) << folder;
        EXPECT_TRUE(ListFluentExecutables(folder).empty()) << folder;
        EXPECT_EQ(ResolveFluentFolder(folder).status, FluentFolderStatus::NotExactlyOne) << folder;
    }
    EXPECT_TRUE(::SetCurrentDirectoryW(previous));
}

} // namespace
} // namespace qv
