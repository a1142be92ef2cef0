#include "discovery/fluent_versions.h"
#include "launch/requirements/product_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(ProductFolder, HubLibraryForEverySupportedVersion) {
    // On 64-bit Windows, in the order of the version table.
    const std::vector<const wchar_t*> expected{
        L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", // 6.3 .. 14.0
        L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", L"HubX64.dll", // 14.5 .. 16.2
        L"HubQ4.dll",  L"HubQ4.dll",  L"HubQ4.dll",  L"HubQ4.dll",  L"HubQ4.dll",  // 17.0 .. 18.1
        L"HubQ4.dll",  L"HubQ4.dll",  L"HubQ4.dll",  L"HubQ5.dll",  L"HubQ5.dll",  // 18.2 .. 19.3
        L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  // 19.4 .. 21.1
        L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  L"HubQ5.dll",  // 21.2 .. 23.2
        L"HubQ5.dll",  L"HubQ5n.dll", L"HubQ5n.dll", L"HubQ5n.dll"};               // 24.1 .. 25.2
    ASSERT_EQ(expected.size(), FluentVersionTable.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        const double v = FluentVersionNumber(FluentVersionTable[row].versionText);
        EXPECT_STREQ(RequiredHubLibrary(true, v), expected[row])
            << FluentVersionTable[row].versionText;
        EXPECT_STREQ(RequiredHubLibrary(false, v), L"HubX86.dll")
            << FluentVersionTable[row].versionText;
    }
}

TEST(ProductFolder, HubLibraryBoundsAreTheExactDecimals) {
    struct Case {
        double version;
        const wchar_t* library;
    };
    for (const Case& c : std::vector<Case>{{16.998, L"HubX64.dll"},
                                           {16.999, L"HubQ4.dll"},
                                           {19.198, L"HubQ4.dll"},
                                           {19.199, L"HubQ5.dll"},
                                           {24.198, L"HubQ5.dll"},
                                           {24.199, L"HubQ5n.dll"}})
        EXPECT_STREQ(RequiredHubLibrary(true, c.version), c.library) << c.version;
}

TEST(ProductFolder, ItemsInCheckingOrder) {
    const auto items = RequiredProductItems(L"D:\\Q", L"2010", L"19.3", true);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].path, L"D:\\Q\\Quorvex.dll");
    EXPECT_EQ(items[1].path, L"D:\\Q\\HubQ5.dll");
    EXPECT_EQ(items[2].path, L"D:\\Q\\include\\19.3\\udf.h");
    EXPECT_EQ(items[3].path, L"D:\\Q\\addon");
    EXPECT_FALSE(items[0].isFolder || items[1].isFolder || items[2].isFolder);
    EXPECT_TRUE(items[3].isFolder);

    // Only the exact year text 2010 asks for the add-on's Visual Studio library here.
    for (const wchar_t* year : {L"2015", L"2019", L" 2010", L"20100"}) {
        const auto later = RequiredProductItems(L"D:\\Q", year, L"6.3", false);
        ASSERT_EQ(later.size(), 3u) << year;
        EXPECT_EQ(later[0].path, L"D:\\Q\\HubX86.dll");
    }
}

} // namespace
} // namespace qv
