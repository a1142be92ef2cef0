#include "discovery/fluent_folder_messages.h"
#include "discovery/fluent_versions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(FluentVersions, NormaliseTrimsSeparatorsAndTurnsSlashes) {
    struct Case {
        const wchar_t* path;
        const wchar_t* normalised;
    };
    for (const Case& c :
         std::vector<Case>{{L"  C:/ANSYS Inc/v193/fluent/ \t", L"C:\\ANSYS Inc\\v193\\fluent"},
                           {L"C:\\A\\\\", L"C:\\A"},
                           {L"C:\\A\\/\\", L"C:\\A"},
                           {L"D:\\", L"D:"},
                           {L"\\\\server\\share", L"\\\\server\\share"},
                           {L" / ", L""},
                           // a blank before the separator goes too, so that
                           // normalising twice changes nothing
                           {L" C:\\Fluent \\", L"C:\\Fluent"},
                           {L"D:\\F\t/ \\ ", L"D:\\F"},
                           {L"", L""}})
        EXPECT_EQ(NormaliseFolderPath(c.path), c.normalised) << c.path;
}

// Discovery asks this first and normalises only when it says no.
TEST(FluentVersions, IsNormalisedExactlyWhenNormalisingChangesNothing) {
    for (const wchar_t* path :
         {L"C:\\Program Files\\ANSYS Inc\\v252\\fluent", L"", L"D:", L"\\\\server\\share",
          L" C:\\F", L"C:\\F ", L"C:\\F\t", L"C:\\F\\", L"C:/F", L"C:\\F/x", L"\\", L" "})
        EXPECT_EQ(IsNormalisedFolderPath(path), NormaliseFolderPath(path) == path) << path;
}

TEST(FluentVersions, ReleaseFolderNameIsFluentInAnyCaseThenTwoDots) {
    for (const wchar_t* name :
         {L"fluent19.3.0", L"FLUENT6.3.26", L"Fluent19.3.0", L"fluent.a.b", L"fluentx..y"})
        EXPECT_TRUE(IsReleaseFolderName(name)) << name;
    for (const wchar_t* name :
         {L"fluent-tools", L"fluent19.3", L"fluent", L"xfluent19.3.0", L"flu.en.t", L""})
        EXPECT_FALSE(IsReleaseFolderName(name)) << name;
}

TEST(FluentVersions, ReleaseVersionDropsFluentAndTheLastPart) {
    struct Case {
        const wchar_t* release;
        const wchar_t* version;
    };
    for (const Case& c :
         std::vector<Case>{{L"fluent19.3.0", L"19.3"},
                           {L"fluent6.3.26", L"6.3"},
                           {L"fluent25.2.0", L"25.2"},
                           {L"Fluent19.3.0", L"Fluent19.3"}, // removal is case-sensitive
                           {L"fluent19.3.fluent0", L"19.3"},
                           {L"fluent-tools", L""},
                           {L"fluent", L""},
                           {L"", L""}})
        EXPECT_EQ(ReleaseVersion(c.release), c.version) << c.release;
}

TEST(FluentVersions, TableColumnsAgree) {
    EXPECT_STREQ(FluentVersionTable.front().versionText, L"6.3");
    EXPECT_STREQ(FluentVersionTable.back().versionText, L"25.2");
    for (const FluentVersionRow& row : FluentVersionTable) {
        std::wstring withoutDot(row.versionText);
        withoutDot.erase(withoutDot.find(L'.'), 1);
        EXPECT_EQ(withoutDot, row.compactVersion) << row.versionText;
    }
}

TEST(FluentVersions, SupportIsExactlyTheTableIgnoringCase) {
    for (const FluentVersionRow& row : FluentVersionTable)
        EXPECT_TRUE(IsSupportedFluentVersion(row.versionText)) << row.versionText;
    for (const wchar_t* text : {L"19.30", L"19", L"12.5", L"26.1", L"Fluent19.3", L" 19.3", L""})
        EXPECT_FALSE(IsSupportedFluentVersion(text)) << text;
}

TEST(FluentVersions, EveryRowGetsItsLabel) {
    // Rows before 19.3 are labelled by their full version, the rest by year and release.
    const std::vector<const wchar_t*> expected{
        L"6.3.0",   L"12.0.0",  L"12.1.0",  L"13.0.0",  L"14.0.0",  L"14.5.0",  L"15.0.0",
        L"16.0.0",  L"16.1.0",  L"16.2.0",  L"17.0.0",  L"17.1.0",  L"17.2.0",  L"18.0.0",
        L"18.1.0",  L"18.2.0",  L"19.0.0",  L"19.1.0",  L"19.2.0",  L"2019 R1", L"2019 R2",
        L"2019 R3", L"2020 R1", L"2020 R2", L"2021 R1", L"2021 R2", L"2022 R1", L"2022 R2",
        L"2023 R1", L"2023 R2", L"2024 R1", L"2024 R2", L"2025 R1", L"2025 R2"};
    ASSERT_EQ(expected.size(), FluentVersionTable.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        const std::wstring release =
            std::wstring(L"fluent") + FluentVersionTable[row].versionText + L".0";
        EXPECT_EQ(ReleaseLabel(release), expected[row]) << release;
    }
}

TEST(FluentVersions, LabelEdgeCases) {
    EXPECT_EQ(ReleaseLabel(L"fluent6.3.26"), L"6.3.26");
    EXPECT_EQ(ReleaseLabel(L"fluent22.2.1"), L"2022 R2");
    // Not in the table: no label to read, the full version stands instead.
    EXPECT_EQ(ReleaseLabel(L"fluent26.1.0"), L"26.1.0");
    EXPECT_EQ(ReleaseLabel(L"fluent19.30.0"), L"19.30.0");
    EXPECT_EQ(ReleaseLabel(L"Fluent19.3.0"), L"Fluent19.3.0");
}

TEST(FluentVersions, ResolvingNeedsOneReleaseOneExecutableAndASupportedVersion) {
    const std::vector<std::wstring> one{L"fluent19.3.0"};
    const std::vector<std::wstring> exe{L"C:\\F\\ntbin\\win64\\fluent.exe"};
    const std::vector<std::wstring> none;

    const FluentFolderResolution ok = ResolveListedFluentFolder(L"C:\\F", one, exe);
    EXPECT_EQ(ok.status, FluentFolderStatus::Resolved);
    EXPECT_EQ(ok.releaseName, L"fluent19.3.0");
    EXPECT_EQ(ok.versionText, L"19.3");
    EXPECT_EQ(ok.versionNumber, 19.3);
    EXPECT_EQ(ok.executable, exe.front());

    struct Case {
        std::vector<std::wstring> releases, executables;
    };
    for (const Case& c :
         std::vector<Case>{{none, exe},
                           {one, none},
                           {{L"fluent19.3.0", L"fluent19.2.0"}, exe},
                           {one, {L"C:\\F\\ntbin\\ntx86\\fluent.exe", exe.front()}}}) {
        const FluentFolderResolution r =
            ResolveListedFluentFolder(L"C:\\F", c.releases, c.executables);
        EXPECT_EQ(r.status, FluentFolderStatus::NotExactlyOne);
        EXPECT_EQ(r.folder, L"C:\\F");
    }

    const FluentFolderResolution capital =
        ResolveListedFluentFolder(L"C:\\F", {L"Fluent19.3.0"}, exe);
    EXPECT_EQ(capital.status, FluentFolderStatus::UnsupportedVersion);
    EXPECT_EQ(capital.versionText, L"Fluent19.3");
}

TEST(FluentVersions, ProblemTextsFollowTheAskerAndTheLanguage) {
    const InterfaceLanguage before = CurrentInterfaceLanguage();
    FluentFolderResolution many;
    many.status = FluentFolderStatus::NotExactlyOne;
    many.folder = L"C:\\F";
    FluentFolderResolution unsupported;
    unsupported.status = FluentFolderStatus::UnsupportedVersion;
    unsupported.versionText = L"12.5";

    SetInterfaceLanguage(InterfaceLanguage::English);
    EXPECT_EQ(FluentFolderProblemText(many, FluentFolderAsker::Launch),
              L"Can't decide which version to run because no Fluent or multiple Fluent versions "
              L"found in \"C:\\F\" folder.");
    EXPECT_EQ(
        FluentFolderProblemText(many, FluentFolderAsker::Browse),
        L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions found "
        L"in \"C:\\F\"\nTypical Fluent installing folder should be like "
        L"\"C:\\Program Files\\ANSYS Inc\\v182\\fluent\".");
    EXPECT_EQ(FluentFolderProblemText(unsupported, FluentFolderAsker::Browse),
              L"Fluent 12.5 is not supported in current Quorvex.");
    SetInterfaceLanguage(InterfaceLanguage::Chinese);
    EXPECT_EQ(FluentFolderProblemText(unsupported, FluentFolderAsker::Browse),
              L"当前Quorvex版本不支持Fluent 12.5");
    EXPECT_EQ(FluentFolderProblemText(unsupported, FluentFolderAsker::Launch),
              L"当前Quorvex版本尚不支持Fluent 12.5");
    EXPECT_EQ(FluentFolderProblemText(many, FluentFolderAsker::Launch),
              L"无法确定该运行哪个版本，因为\"C:\\F\"目录中未发现Fluent或发现多于一个版本");
    SetInterfaceLanguage(before);
}

} // namespace
} // namespace qv
