// Discovery through one run's listing gives exactly the lists of the straightforward algorithm,
// which lists every candidate, on real folders of C:, D: and E:, the settings and the process
// environment; and it does so with a fraction of the file-system calls.
#include "base/settings_store_win.h"
#include "discovery/discovery_listing_win.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "tests/support/memory_list_box.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

using Texts = std::vector<std::wstring>;

// Every candidate listed on its own, as discovery is described.
void DiscoverStraightforwardly(FluentList& list) {
    for (const std::wstring& candidate : CurrentFluentCandidateFolders())
        list.AddFluentFolder(false, candidate);
    if (list.Box().Count() == 0) list.Box().Append(L"Not found");
    list.Box().Select(0);
}

struct Layout {
    const char* name;
    Texts releases;          // release folders, each given its src\udf.h
    Texts files;             // plain files in the way of a folder
    std::wstring remembered; // FluentPathsUsed
    std::vector<std::pair<const wchar_t*, const wchar_t*>> variables;
    Texts expected; // what both find: the layout is not one where nothing is to be found
};

const wchar_t* const Variables[] = {L"FLUENT_INC", L"CADOE_LIBDIR193", L"ANSYS201_DIR",
                                    L"ANSYSLIC_DIR", L"AWP_ROOT222"};

class DiscoveryListingTest : public ::testing::TestWithParam<Layout> {
  protected:
    // Unset variables make candidates under the current drive's root: D:, which the test owns.
    void SetUp() override {
        for (const auto& variable : variables)
            ASSERT_TRUE(variable.Remove());
        ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previousFolder), 0u);
        ASSERT_TRUE(::SetCurrentDirectoryW(L"D:\\"));
    }
    void TearDown() override { EXPECT_TRUE(::SetCurrentDirectoryW(previousFolder)); }

    wchar_t previousFolder[MAX_PATH] = {};
    test::ScopedVariable variables[5]{
        test::ScopedVariable(Variables[0]), test::ScopedVariable(Variables[1]),
        test::ScopedVariable(Variables[2]), test::ScopedVariable(Variables[3]),
        test::ScopedVariable(Variables[4])};
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::ScopedRegistryValue userFluentInc{HKEY_CURRENT_USER, EnvironmentKeyPath, L"FLUENT_INC"};
    test::RemoveOnExit cleanup{{L"C:\\Program Files\\ANSYS Inc", L"D:\\fluent", L"D:\\v222",
                                L"D:\\Program Files", L"D:\\A", L"D:\\Inc", L"E:\\Program Files",
                                L"E:\\ansys", L"E:\\awp222"}};
};

TEST_P(DiscoveryListingTest, ListsAsEveryCandidateListedOnItsOwn) {
    const Layout& layout = GetParam();
    for (const std::wstring& release : layout.releases)
        ASSERT_TRUE(test::WriteFileBytes(release + L"\\src\\udf.h", ""));
    for (const std::wstring& file : layout.files)
        ASSERT_TRUE(test::WriteFileBytes(file, "not a folder"));
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", layout.remembered));
    for (const auto& [name, value] : layout.variables) {
        for (std::size_t i = 0; i < std::size(Variables); ++i) {
            if (std::wstring(name) == Variables[i]) {
                ASSERT_TRUE(variables[i].Set(value));
            }
        }
    }

    test::MemoryListBox referenceBox, box;
    FluentList reference(referenceBox, [](std::wstring_view f) { return ListReleaseFolders(f); });
    DiscoverStraightforwardly(reference);
    FluentList fast(box, [](std::wstring_view) { return Texts{}; }); // must not be asked
    DiscoveryListing listing;
    DiscoverFluentInstallations(fast, listing);

    EXPECT_EQ(referenceBox.entries, layout.expected);
    EXPECT_EQ(box.entries, referenceBox.entries);
    EXPECT_EQ(box.selection, referenceBox.selection);
    ASSERT_EQ(fast.Entries().size(), reference.Entries().size());
    for (std::size_t i = 0; i < fast.Entries().size(); ++i)
        EXPECT_EQ(fast.Entries()[i].folder, reference.Entries()[i].folder) << i;
    // Every candidate of the straightforward algorithm is one listing; the run needs far fewer
    // calls unless the layout puts its folders where the defaults are.
    EXPECT_LT(listing.Listings() + listing.Looks(),
              static_cast<int>(CurrentFluentCandidateFolders().size()) / 4);
}

const std::wstring Standard = L"C:\\Program Files\\ANSYS Inc\\v";

INSTANTIATE_TEST_SUITE_P(
    Layouts, DiscoveryListingTest,
    ::testing::Values(
        Layout{"NothingInstalled", {}, {}, L"", {}, {L"Not found"}},
        Layout{"OneStandardInstallation",
               {Standard + L"231\\fluent\\fluent23.1.0"},
               {},
               L"",
               {},
               {L"2023 R1"}},
        Layout{"SeveralDrives",
               {Standard + L"193\\fluent\\fluent19.3.0", Standard + L"252\\fluent\\fluent25.2.0",
                L"D:\\Program Files\\ANSYS Inc\\v201\\fluent\\fluent20.1.0"},
               {L"D:\\Program Files\\ANSYS Inc\\v202\\readme.txt", L"E:\\Program Files\\x.txt"},
               L"",
               {},
               {L"2019 R1", L"2020 R1", L"2025 R2"}},
        Layout{"AnsysIncIsAFile",
               {Standard + L"222\\fluent\\fluent22.2.0"},
               {L"D:\\Program Files\\ANSYS Inc"},
               L"",
               {},
               {L"2022 R2"}},
        Layout{
            "RememberedSpellings",
            {Standard + L"193\\fluent\\fluent19.3.0", L"D:\\A\\v201\\fluent\\fluent20.1.0"},
            {},
            L"c:/program files/ansys inc/V193/FLUENT/;D:\\A\\v201\\fluent;D:\\A\\v201\\fluent\\\\;"
            L"C:\\nowhere\\..\\Program Files\\ANSYS Inc\\v193\\fluent;;",
            {},
            {L"2019 R1", L"2020 R1", L"2019 R1"}},
        Layout{"Variables",
               {L"D:\\A\\v193\\fluent\\fluent19.3.0", L"E:\\ansys\\v201\\fluent\\fluent20.1.0",
                L"D:\\Inc\\v222\\fluent\\fluent22.2.0", L"E:\\awp222\\fluent\\fluent22.2.0",
                Standard + L"231\\fluent\\fluent23.1.0"},
               {},
               // Found missing first: FLUENT_INC's ".." leads out of it.
               L"C:\\missing\\v193\\fluent",
               {{L"FLUENT_INC", L"C:\\missing\\..\\Program Files\\ANSYS Inc\\v231\\fluent"},
                {L"CADOE_LIBDIR193", L"D:\\A\\v193\\x\\y\\z"},
                {L"ANSYS201_DIR", L"E:\\ansys\\v201\\ANSYS"},
                {L"ANSYSLIC_DIR", L"D:\\Inc\\Shared Files\\Licensing"},
                {L"AWP_ROOT222", L"E:\\awp222\\"}},
               {L"2023 R1", L"2019 R1", L"2020 R1", L"2022 R2", L"2022 R2", L"2023 R1"}},
        Layout{"TwoReleasesInOneFolder",
               {Standard + L"201\\fluent\\fluent19.2.0", Standard + L"201\\fluent\\fluent20.1.0"},
               {},
               L"",
               {},
               {L"19.2.0", L"2020 R1"}},
        Layout{"FoldersAtTheCurrentDrivesRoot",
               {L"D:\\fluent\\fluent24.1.0", L"D:\\v222\\fluent\\fluent22.2.0"},
               {},
               L"",
               {},
               {L"2024 R1", L"2022 R2"}}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

} // namespace
} // namespace qv
