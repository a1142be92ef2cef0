#include "texts/language.h"
#include "discovery/fluent_discovery.h"
#include "tests/support/memory_list_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace qv {
namespace {

using EntryList = test::MemoryListBox;

class FluentListTest : public ::testing::Test {
  protected:
    FluentListTest()
        : list(box, [this](std::wstring_view folder) {
              ++listings;
              const auto it = disk.find(std::wstring(folder));
              return it == disk.end() ? std::vector<std::wstring>{} : it->second;
          }) {}
    void TearDown() override { SetInterfaceLanguage(InterfaceLanguage::English); }

    std::map<std::wstring, std::vector<std::wstring>> disk = {
        {L"C:\\A\\fluent", {L"fluent19.2.0", L"fluent20.1.0"}},
        {L"D:\\ANSYS\\v201\\fluent", {L"fluent20.1.0"}},
        {L"D:\\new\\fluent", {L"fluent26.1.0"}},
        {L"E:\\caps", {L"Fluent19.3.0", L"fluent22.2.0"}},
    };
    int listings = 0;
    EntryList box;
    FluentList list;
};

TEST_F(FluentListTest, OneEntryPerSupportedReleaseFolder) {
    list.AddFluentFolder(false, L"C:\\A\\fluent");
    list.AddFluentFolder(false, L"D:\\new\\fluent");
    list.AddFluentFolder(false, L"E:\\caps");
    EXPECT_EQ(box.entries, (std::vector<std::wstring>{L"19.2.0", L"2020 R1", L"2022 R2"}));
    ASSERT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.Entries()[1].folder, L"C:\\A\\fluent");
    EXPECT_EQ(list.Entries()[2].folder, L"E:\\caps");
    EXPECT_EQ(box.selection, -1);
}

TEST_F(FluentListTest, SameFolderInAnotherSpellingIsNotAddedTwice) {
    list.AddFluentFolder(false, L"D:\\ANSYS\\v201\\fluent");
    for (const wchar_t* spelling :
         {L"d:\\ansys\\V201\\FLUENT", L"D:/ANSYS/v201/fluent/", L"  D:\\ANSYS\\v201\\fluent\\\\ "})
        list.AddFluentFolder(false, spelling);
    EXPECT_EQ(box.entries, std::vector<std::wstring>{L"2020 R1"});
    EXPECT_EQ(box.selection, -1);
    list.AddFluentFolder(false, L"C:\\A\\fluent");
    list.AddFluentFolder(true, L"D:/ANSYS/v201/fluent/"); // Browse selects the listed entry
    EXPECT_EQ(box.selection, 0);
    EXPECT_EQ(box.Count(), 3);
}

TEST_F(FluentListTest, NotFoundEntryGivesWayToTheFirstRealEntry) {
    for (auto language : {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
        SetInterfaceLanguage(language);
        EntryList fresh;
        FluentList browsed(
            fresh, [](std::wstring_view) { return std::vector<std::wstring>{L"fluent20.1.0"}; });
        fresh.Append(language == InterfaceLanguage::English ? L"Not found" : L"未发现");
        browsed.AddFluentFolder(true, L"C:\\Program Files\\ANSYS Inc\\v201\\fluent");
        EXPECT_EQ(fresh.entries, std::vector<std::wstring>{L"2020 R1"});
        EXPECT_EQ(fresh.selection, 0);
    }
}

TEST_F(FluentListTest, RememberedPathsPutTheSelectedFolderFirst) {
    list.AddFluentFolder(false, L"D:\\ANSYS\\v201\\fluent");
    list.AddFluentFolder(false, L"C:\\A\\fluent");
    EXPECT_EQ(list.RememberedFluentPaths(2),
              L"C:\\A\\fluent;D:\\ANSYS\\v201\\fluent;C:\\A\\fluent");
    EXPECT_EQ(list.RememberedFluentPaths(0),
              L"D:\\ANSYS\\v201\\fluent;C:\\A\\fluent;C:\\A\\fluent");
}

TEST(FluentCandidates, RememberedPiecesKeepTheirEmptyOnes) {
    EXPECT_EQ(SplitRememberedFluentPaths(
                  L"D:\\ANSYS\\v201\\fluent;C:\\Program Files\\ANSYS Inc\\v193\\fluent;"),
              (std::vector<std::wstring>{L"D:\\ANSYS\\v201\\fluent",
                                         L"C:\\Program Files\\ANSYS Inc\\v193\\fluent"}));
    EXPECT_EQ(SplitRememberedFluentPaths(L";;a;;;"), (std::vector<std::wstring>{L"", L"", L"a"}));
    EXPECT_TRUE(SplitRememberedFluentPaths(L";;").empty());
}

TEST(FluentCandidates, OrderAndTheVariablesOfEachVersion) {
    const std::map<std::wstring, std::wstring> variables = {
        {L"CADOE_LIBDIR193", L"D:\\A\\v193\\x\\y\\z"},
        {L"ANSYS201_DIR", L"E:\\ANSYS Inc\\v201\\ANSYS\\"},
        {L"ANSYSLIC_DIR", L"C:/Program Files/ANSYS Inc/Shared Files/Licensing"},
        {L"AWP_ROOT222", L"F:\\v222\\/"},
    };
    const auto candidates = FluentCandidateFolders(L"R1;R2;", L"", [&](const std::wstring& name) {
        const auto it = variables.find(name);
        return it == variables.end() ? std::wstring() : it->second;
    });
    ASSERT_EQ(candidates.size(), 2u + 1u + 34u * 28u);
    EXPECT_EQ(candidates[0], L"R1");
    EXPECT_EQ(candidates[2], L""); // FLUENT_INC as it is
    EXPECT_EQ(candidates[3], L"C:\\Program Files\\ANSYS Inc\\v63\\fluent");
    EXPECT_EQ(candidates[3 + 23], L"Z:\\Program Files\\ANSYS Inc\\v63\\fluent");
    EXPECT_EQ(candidates[3 + 24], L"\\fluent"); // unset CADOE_LIBDIR63
    EXPECT_EQ(candidates[3 + 26], L"C:\\Program Files\\ANSYS Inc\\v63\\fluent"); // via ANSYSLIC_DIR
    const auto contains = [&](const std::wstring& folder) {
        return std::find(candidates.begin(), candidates.end(), folder) != candidates.end();
    };
    EXPECT_TRUE(contains(L"D:\\A\\v193\\fluent"));
    EXPECT_TRUE(contains(L"E:\\ANSYS Inc\\v201\\fluent"));
    EXPECT_TRUE(contains(L"F:\\v222\\fluent"));
    EXPECT_TRUE(contains(L"C:\\Program Files\\ANSYS Inc\\v252\\fluent"));
}

} // namespace
} // namespace qv
