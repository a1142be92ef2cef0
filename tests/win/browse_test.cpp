// Browse on the real dialog with real Fluent folders, the picker answered from a script: which
// folders it takes, what it says about the others, and what it remembers.
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/support/dialog_inspection_win.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Texts = std::vector<std::wstring>;

FolderChoice Picked(const std::wstring& path) {
    return {FolderChoice::Outcome::Picked, path};
}

class Browse : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    // A Fluent folder with its release folders and start programs, removed afterwards.
    void LayOut(const std::wstring& folder, std::initializer_list<const wchar_t*> releases,
                std::initializer_list<const wchar_t*> platforms = {L"win64"}) {
        cleanup.trees.push_back(folder);
        for (const wchar_t* release : releases)
            ASSERT_TRUE(test::WriteFileBytes(folder + L"\\" + release + L"\\src\\udf.h", ""));
        for (const wchar_t* platform : platforms)
            ASSERT_TRUE(
                test::WriteFileBytes(folder + L"\\ntbin\\" + platform + L"\\fluent.exe", "MZ"));
    }
    void Open() { ASSERT_TRUE(dialog.Open()); }
    void ClickBrowse() const {
        ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(IDC_BROWSE)));
    }
    Texts FluentTexts() const { return test::ComboTexts(dialog.Item(IDC_FLUENT_LIST)); }
    // As the user picks the first entry of the list.
    void SelectFirst() const {
        ::SendMessageW(dialog.Item(IDC_FLUENT_LIST), CB_SETCURSEL, 0, 0);
        ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_FLUENT_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(dialog.Item(IDC_FLUENT_LIST)));
    }
    int FluentSelection() const {
        return static_cast<int>(::SendMessageW(dialog.Item(IDC_FLUENT_LIST), CB_GETCURSEL, 0, 0));
    }

    const std::wstring v201 = L"C:\\Program Files\\ANSYS Inc\\v201\\fluent";
    test::RemoveOnExit cleanup;
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::ScriptedPrompts prompts;
    Modeless<CLauncherDlg> dialog;
    test::ScopedLanguage english{InterfaceLanguage::English};
};

// The first real entry replaces "Not found", is selected, rules the dialog and is remembered.
TEST_F(Browse, PickedFolderIsAddedSelectedAndRememberedAtOnce) {
    LayOut(L"D:\\Fluent20\\fluent", {L"fluent20.1.0"});
    Open();
    ASSERT_EQ(FluentTexts(), Texts{L"Not found"});
    prompts.folders = {Picked(L"D:\\Fluent20\\fluent\\")};
    ClickBrowse();
    ASSERT_EQ(prompts.folderRequests.size(), 1u);
    EXPECT_EQ(prompts.folderRequests[0].owner, dialog.Window());
    EXPECT_EQ(prompts.folderRequests[0].title, L"Select Fluent installation folder...");
    EXPECT_EQ(prompts.folderRequests[0].picker, FolderPicker::Modern);
    EXPECT_EQ(FluentTexts(), Texts{L"2020 R1"});
    EXPECT_EQ(FluentSelection(), 0);
    EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDC_CHINESE_FLUENT)));
    EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDC_START_BY_WORKBENCH)));
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), L"D:\\Fluent20\\fluent");
    EXPECT_TRUE(prompts.messages.empty());
}

// A listed folder picked in another spelling is selected, not added, and goes first in the
// remembered list.
TEST_F(Browse, ListedFolderInAnotherSpellingIsSelected) {
    LayOut(v201, {L"fluent20.1.0"});
    LayOut(L"D:\\v231\\fluent", {L"fluent23.1.0"});
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", L"D:\\v231\\fluent"));
    Open();
    ASSERT_EQ(FluentTexts(), (Texts{L"2023 R1", L"2020 R1"}));
    for (const wchar_t* spelling : {L"C:/Program Files/ANSYS Inc/v201/fluent",
                                    L"C:\\Program Files\\ANSYS Inc\\v201\\fluent\\"}) {
        SCOPED_TRACE(spelling);
        ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", L""));
        SelectFirst();
        ASSERT_EQ(test::TextOf(dialog.Item(IDC_SERIAL)), L"1-Core Parallel");
        prompts.folders = {Picked(spelling)};
        ClickBrowse();
        EXPECT_EQ(FluentTexts(), (Texts{L"2023 R1", L"2020 R1"}));
        EXPECT_EQ(FluentSelection(), 1);
        EXPECT_EQ(test::TextOf(dialog.Item(IDC_SERIAL)), L"Serial");
        EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), v201 + L";D:\\v231\\fluent");
    }
}

// A folder without exactly one release and one start program is refused with its name, and
// the picker opens again until the user picks a good one or gives up.
TEST_F(Browse, FolderWithoutExactlyOneReleaseAndProgramAsksAgain) {
    LayOut(v201, {L"fluent20.1.0"});
    LayOut(L"D:\\two\\fluent", {L"fluent20.1.0", L"fluent22.2.0"});
    LayOut(L"D:\\both\\fluent", {L"fluent22.2.0"}, {L"ntx86", L"win64"});
    LayOut(L"D:\\none\\fluent", {L"fluent22.2.0"}, {});
    Open();
    const Texts before = FluentTexts();
    prompts.folders = {Picked(L"C:\\Program Files\\ANSYS Inc\\v201"),
                       Picked(L"D:\\two\\fluent"),
                       Picked(L"D:\\both\\fluent"),
                       Picked(L"D:\\none\\fluent"),
                       {FolderChoice::Outcome::NoPath, L""}};
    ClickBrowse();
    EXPECT_EQ(prompts.folderRequests.size(), 5u);
    ASSERT_EQ(prompts.messages.size(), 4u);
    const std::vector<const wchar_t*> named = {L"C:\\Program Files\\ANSYS Inc\\v201",
                                               L"D:\\two\\fluent", L"D:\\both\\fluent",
                                               L"D:\\none\\fluent"};
    for (std::size_t i = 0; i < named.size(); ++i) {
        EXPECT_EQ(prompts.messages[i].text,
                  std::wstring(L"Invalid Fluent installing folder because no Fluent or multiple "
                               L"Fluent versions found in \"") +
                      named[i] +
                      L"\"\nTypical Fluent installing folder should be like \"C:\\Program "
                      L"Files\\ANSYS Inc\\v182\\fluent\".");
        EXPECT_EQ(prompts.messages[i].caption, L"Error");
        EXPECT_EQ(prompts.messages[i].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
    EXPECT_EQ(FluentTexts(), before);
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), L"");
}

TEST_F(Browse, UnsupportedVersionEndsTheCommand) {
    LayOut(L"D:\\v261\\fluent", {L"fluent26.1.0"});
    SetInterfaceLanguage(InterfaceLanguage::Chinese);
    Open();
    prompts.folders = {Picked(L"D:\\v261\\fluent"), Picked(v201)};
    ClickBrowse();
    EXPECT_EQ(prompts.folderRequests.size(), 1u);
    EXPECT_EQ(prompts.folderRequests[0].title, L"选择Fluent安装目录...");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"当前Quorvex版本不支持Fluent 26.1");
    EXPECT_EQ(prompts.messages[0].caption, L"错误");
    EXPECT_EQ(FluentTexts(), Texts{L"未发现"});
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), L"");
}

TEST_F(Browse, CancelledPickerChangesNothing) {
    Open();
    prompts.folders = {{FolderChoice::Outcome::Cancelled, L""}};
    ClickBrowse();
    EXPECT_EQ(prompts.folderRequests.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(FluentTexts(), Texts{L"Not found"});
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), L"");
}

} // namespace
} // namespace qv
