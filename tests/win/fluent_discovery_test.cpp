// Fluent discovery against real folders on C:, D: and E:, the real settings key, the process
// environment and a real combo box.
#include "base/settings_store_win.h"
#include "base/environment_win.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "tests/support/test_support_win.h"
#include "ui/combo_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// A Fluent folder holding release folders with their UDF header, removed afterwards.
class FakeFluentFolder {
  public:
    FakeFluentFolder(std::wstring folder, std::initializer_list<const wchar_t*> releases)
        : folder_(std::move(folder)) {
        for (const wchar_t* release : releases)
            EXPECT_TRUE(
                test::WriteFileBytes(folder_ + L"\\" + release + L"\\src\\udf.h", "/* udf */"))
                << folder_;
    }
    ~FakeFluentFolder() { EXPECT_TRUE(test::RemoveTree(folder_)) << folder_; }

  private:
    std::wstring folder_;
};

class FluentDiscoveryTest : public ::testing::Test {
  protected:
    FluentDiscoveryTest() {
        combo_.reset(::CreateWindowExW(0, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 100,
                                       200, nullptr, nullptr, nullptr, nullptr));
        box_.Attach(combo_.get());
    }
    void SetUp() override {
        ASSERT_TRUE(combo_);
        for (const auto& variable : variables_)
            ASSERT_TRUE(variable.Remove());
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < box_.Count(); ++i)
            texts.push_back(box_.Text(i));
        return texts;
    }

    test::ScopedVariable variables_[4]{
        test::ScopedVariable(L"FLUENT_INC"), test::ScopedVariable(L"CADOE_LIBDIR193"),
        test::ScopedVariable(L"ANSYSLIC_DIR"), test::ScopedVariable(L"AWP_ROOT201")};
    test::ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
    test::ScopedRegistryValue userFluentInc_{HKEY_CURRENT_USER, EnvironmentKeyPath, L"FLUENT_INC"};
    UniqueWindow combo_;
    ComboBoxList box_;
    FluentList list_{box_, [](std::wstring_view folder) { return ListReleaseFolders(folder); }};
};

TEST_F(FluentDiscoveryTest, NothingFoundLeavesTheNotFoundEntrySelected) {
    DiscoverFluentInstallations(list_);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Not found"});
    EXPECT_EQ(box_.Selection(), 0);
    EXPECT_TRUE(list_.Entries().empty());
    // The same search finds a release laid out where it looks.
    FakeFluentFolder standard(L"C:\\Program Files\\ANSYS Inc\\v193\\fluent", {L"fluent19.3.0"});
    FluentList again{box_, [](std::wstring_view f) { return ListReleaseFolders(f); }};
    DiscoverFluentInstallations(again);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"2019 R1"});
}

TEST_F(FluentDiscoveryTest, RememberedFoldersComeFirstAndDefaultFoldersAreNotAddedTwice) {
    FakeFluentFolder remembered(L"D:\\ANSYS\\v201\\fluent", {L"fluent20.1.0"});
    FakeFluentFolder standard(L"C:\\Program Files\\ANSYS Inc\\v193\\fluent", {L"fluent19.3.0"});
    FakeFluentFolder other(L"E:\\Program Files\\ANSYS Inc\\v252\\fluent", {L"fluent25.2.0"});
    ASSERT_TRUE(
        WriteSetting(L"FluentPathsUsed",
                     L"D:\\ANSYS\\v201\\fluent;C:\\Program Files\\ANSYS Inc\\v193\\fluent;"));
    DiscoverFluentInstallations(list_);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"2020 R1", L"2019 R1", L"2025 R2"}));
    EXPECT_EQ(box_.Selection(), 0);
    EXPECT_EQ(list_.Entries()[0].folder, L"D:\\ANSYS\\v201\\fluent");
}

TEST_F(FluentDiscoveryTest, FluentIncFromTheUserEnvironmentKeyWhenTheProcessHasNone) {
    FakeFluentFolder folder(L"D:\\Fluent Inc\\fluent", {L"fluent18.1.0"});
    ASSERT_TRUE(userFluentInc_.SetString(L"D:\\Fluent Inc\\fluent\\"));
    DiscoverFluentInstallations(list_);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"18.1.0"});
    // The process variable wins over the key.
    FakeFluentFolder processFolder(L"E:\\Fluent12\\fluent", {L"fluent12.1.0"});
    ASSERT_TRUE(variables_[0].Set(L"E:\\Fluent12\\fluent"));
    FluentList again{box_, [](std::wstring_view f) { return ListReleaseFolders(f); }};
    DiscoverFluentInstallations(again);
    EXPECT_EQ(again.Entries().front().folder, L"E:\\Fluent12\\fluent");
}

TEST_F(FluentDiscoveryTest, AnsysVariablesPointAtTheirVersionFolders) {
    FakeFluentFolder cadoe(L"D:\\A\\v193\\fluent", {L"fluent19.3.0"});
    FakeFluentFolder awp(L"E:\\AWP\\fluent", {L"fluent20.1.0"});
    ASSERT_TRUE(variables_[1].Set(L"D:\\A\\v193\\x\\y\\z"));
    ASSERT_TRUE(variables_[3].Set(L"E:\\AWP\\"));
    DiscoverFluentInstallations(list_);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"2019 R1", L"2020 R1"}));
    EXPECT_EQ(list_.Entries()[0].folder, L"D:\\A\\v193\\fluent");
}

TEST_F(FluentDiscoveryTest, UnsupportedOrMalformedReleaseFoldersAddNothing) {
    FakeFluentFolder newer(L"D:\\v261\\fluent", {L"fluent26.1.0"});
    FakeFluentFolder capital(L"E:\\caps\\fluent", {L"Fluent19.3.0"});
    FakeFluentFolder supported(L"E:\\v252\\fluent", {L"fluent25.2.0"});
    ASSERT_TRUE(WriteSetting(L"FluentPathsUsed",
                             L"D:\\v261\\fluent;;E:\\caps\\fluent;" + std::wstring(5000, L'x')));
    DiscoverFluentInstallations(list_);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Not found"});
    // The same list with a supported folder among them shows that folder alone.
    ASSERT_TRUE(
        WriteSetting(L"FluentPathsUsed", L"D:\\v261\\fluent;;E:\\v252\\fluent;E:\\caps\\fluent;" +
                                             std::wstring(5000, L'x')));
    FluentList again{box_, [](std::wstring_view f) { return ListReleaseFolders(f); }};
    DiscoverFluentInstallations(again);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"2025 R2"});
}

} // namespace
} // namespace qv
