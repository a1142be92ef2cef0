// The main dialog's rules, language switch, tooltip and pictures on the real dialog, opened from
// its template in this process, with real Fluent folders on C: and the real settings key.
#include "base/registry_win.h"
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

// The dialog with the parts a test looks at or sets in reach.
class OpenDialog : public CLauncherDlg {
  public:
    using CLauncherDlg::Fluent;
    using CLauncherDlg::launchState_;
    using CLauncherDlg::View;
};

// A Fluent folder under Program Files on C:, as discovery finds it.
std::wstring StandardFluentFolder(const wchar_t* compactVersion) {
    return std::wstring(L"C:\\Program Files\\ANSYS Inc\\v") + compactVersion + L"\\fluent";
}

class MainDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    // Release folders (with their UDF header) in Fluent folders that are removed afterwards.
    void LayOutFluent(const std::wstring& folder, const wchar_t* release) {
        cleanup.trees.push_back(folder);
        ASSERT_TRUE(test::WriteFileBytes(folder + L"\\" + release + L"\\src\\udf.h", ""));
    }
    void Open() { ASSERT_TRUE(dialog.Open()); }

    HWND Item(int id) const { return dialog.Item(id); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return dialog.IsItemChecked(id); }
    std::wstring Text(int id) const { return test::TextOf(Item(id)); }
    // As the user clicks: the button's own check mark changes, then the dialog hears of it.
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    void SelectFluent(int index) const {
        ::SendMessageW(Item(IDC_FLUENT_LIST), CB_SETCURSEL, index, 0);
        ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_FLUENT_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_FLUENT_LIST)));
    }
    void Command(int id) const {
        ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    int SpinPosition() const {
        return static_cast<int>(::SendMessageW(Item(IDC_PROCESS_SPIN), UDM_GETPOS32, 0, 0));
    }
    // A click on the spin's upper arrow: the mouse comes over it, presses and lets go.
    void SpinUp() const {
        HWND spin = Item(IDC_PROCESS_SPIN);
        RECT area{};
        ::GetClientRect(spin, &area);
        const LPARAM upper = MAKELPARAM(area.right / 2, area.bottom / 4);
        ::SendMessageW(spin, WM_MOUSEMOVE, 0, upper);
        ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, upper);
        ::SendMessageW(spin, WM_LBUTTONUP, 0, upper);
    }
    // What the spin tells its dialog when it moves, and when it stops.
    void SpinNotice(int request, int position) const {
        ::SendMessageW(dialog.Window(), WM_VSCROLL, MAKEWPARAM(request, position),
                       reinterpret_cast<LPARAM>(Item(IDC_PROCESS_SPIN)));
    }

    test::RemoveOnExit cleanup;
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::ScriptedPrompts prompts;
    Modeless<OpenDialog> dialog;
    test::ScopedLanguage english{InterfaceLanguage::English};
};

TEST_F(MainDialog, NewestFluentOpensWithEveryOptionButCountAndMatlabChoicesEnabled) {
    LayOutFluent(StandardFluentFolder(L"231"), L"fluent23.1.0");
    Open();
    EXPECT_EQ(Text(IDC_SERIAL), L"1-Core Parallel");
    EXPECT_EQ(Text(IDC_DIMENSION_GROUP), L"Dimension");
    for (int id : {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL, IDC_VS_LIST,
                   IDC_FLUENT_LIST, IDC_BROWSE, IDC_CHINESE_FLUENT, IDC_START_BY_WORKBENCH,
                   IDC_CALL_COOLPROP, IDC_CALL_FORTRAN, IDC_CALL_MATLAB, IDOK, IDC_CANCEL})
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id :
         {IDC_PROCESS_COUNT, IDC_PROCESS_SPIN, IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {IDC_2D, IDC_SERIAL, IDC_STATIC_LINK})
        EXPECT_TRUE(Checked(id)) << id;
    EXPECT_EQ(SpinPosition(), 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MainDialog, NothingFoundDisablesTheVersionDependentOptions) {
    Open();
    EXPECT_EQ(Text(IDC_SERIAL), L"Serial");
    for (int id : {IDC_CHINESE_FLUENT, IDC_START_BY_WORKBENCH}) {
        EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_FALSE(Checked(id)) << id;
    }
}

TEST_F(MainDialog, SpinWritesTheCountIntoTheEdit) {
    Open();
    Click(IDC_PARALLEL);
    SpinUp();
    EXPECT_EQ(Text(IDC_PROCESS_COUNT), L"2");
    EXPECT_EQ(dialog.Options().processCount, 2u);
    SpinNotice(SB_ENDSCROLL, 9); // the last notice of a click changes nothing
    EXPECT_EQ(Text(IDC_PROCESS_COUNT), L"2");
    EXPECT_EQ(dialog.Options().processCount, 2u);
}

// Parallel, then Workbench: the edit goes, the spin stays and still writes the count. (Wine's
// spin ignores clicks while its buddy is disabled; its notice is what the dialog acts on.)
TEST_F(MainDialog, SpinOutlivesTheEditUnderWorkbench) {
    LayOutFluent(StandardFluentFolder(L"222"), L"fluent22.2.0");
    Open();
    Click(IDC_PARALLEL);
    EXPECT_TRUE(Enabled(IDC_PROCESS_COUNT));
    EXPECT_TRUE(Enabled(IDC_PROCESS_SPIN));
    Click(IDC_START_BY_WORKBENCH);
    EXPECT_TRUE(Checked(IDC_START_BY_WORKBENCH));
    EXPECT_FALSE(Enabled(IDC_PROCESS_COUNT));
    EXPECT_TRUE(Enabled(IDC_PROCESS_SPIN));
    for (int id : {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Text(IDC_DIMENSION_GROUP), L"Dimension(set in WB)");
    SpinNotice(SB_THUMBPOSITION, 5);
    EXPECT_EQ(Text(IDC_PROCESS_COUNT), L"5");
    EXPECT_EQ(dialog.Options().processCount, 5u);
    EXPECT_TRUE(prompts.messages.empty());
}

// What the spin makes of a count outside its range is its own affair.
TEST_F(MainDialog, TypedCountMovesTheSpin) {
    Open();
    Click(IDC_PARALLEL);
    for (const auto& [typed, position] :
         std::vector<std::pair<const wchar_t*, int>>{{L"7", 7}, {L"250", 250}, {L"3", 3}}) {
        ::SetWindowTextW(Item(IDC_PROCESS_COUNT), typed);
        EXPECT_EQ(SpinPosition(), position) << typed;
    }
}

// Workbench checked, then an entry below 12: the mark goes and the controls come back, the edit
// only because Parallel was the mode when Workbench was checked.
TEST_F(MainDialog, EntryBelowTwelveEndsTheWorkbenchStart) {
    LayOutFluent(StandardFluentFolder(L"63"), L"fluent6.3.26");
    LayOutFluent(StandardFluentFolder(L"252"), L"fluent25.2.0");
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", StandardFluentFolder(L"252")));
    Open();
    ASSERT_EQ(test::TextOf(Item(IDC_FLUENT_LIST)), L"2025 R2");
    Click(IDC_PARALLEL);
    Click(IDC_START_BY_WORKBENCH);
    SelectFluent(1);
    EXPECT_EQ(Text(IDC_SERIAL), L"Serial");
    EXPECT_FALSE(Checked(IDC_START_BY_WORKBENCH));
    EXPECT_FALSE(Enabled(IDC_START_BY_WORKBENCH));
    EXPECT_FALSE(Enabled(IDC_CHINESE_FLUENT));
    for (int id :
         {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL, IDC_PROCESS_COUNT})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(Text(IDC_DIMENSION_GROUP), L"Dimension");
}

// A count that is no number stops the options' exchange before the Workbench field; the rule
// still follows the check box, so the controls agree with what it shows.
TEST_F(MainDialog, WorkbenchRuleFollowsItsBoxWhenTheCountIsNoNumber) {
    LayOutFluent(StandardFluentFolder(L"222"), L"fluent22.2.0");
    Open();
    Click(IDC_PARALLEL);
    ::SetWindowTextW(Item(IDC_PROCESS_COUNT), L"");
    Click(IDC_START_BY_WORKBENCH);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Enter a positive integer.");
    EXPECT_EQ(dialog.Options().startByWorkbench, 0); // not read
    EXPECT_TRUE(Checked(IDC_START_BY_WORKBENCH));
    for (int id :
         {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL, IDC_PROCESS_COUNT})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Text(IDC_DIMENSION_GROUP), L"Dimension(set in WB)");
}

TEST_F(MainDialog, CallMatlabCarriesLinkAndListWithoutChangingThem) {
    Open();
    Click(IDC_CALL_MATLAB);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_TRUE(Enabled(id)) << id;
    Click(IDC_DYNAMIC_LINK);
    Click(IDC_CALL_MATLAB);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_DYNAMIC_LINK));
    EXPECT_FALSE(Checked(IDC_STATIC_LINK));
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

// The menu of each language: its texts, and its own language checked and greyed.
void ExpectMenu(HWND window, InterfaceLanguage language) {
    HMENU menu = ::GetMenu(window);
    ASSERT_NE(menu, nullptr);
    const bool english = language == InterfaceLanguage::English;
    EXPECT_EQ(MenuText(menu, 0), english ? L"&Tutorial" : L"教程(&T)");
    EXPECT_EQ(MenuText(menu, 1), english ? L"&Language" : L"语言(&L)");
    EXPECT_EQ(MenuText(menu, 2), english ? L"&About" : L"关于(&A)");
    HMENU languages = ::GetSubMenu(menu, 1);
    EXPECT_EQ(MenuText(languages, 0), english ? L"&English" : L"English(&E)");
    EXPECT_EQ(MenuText(languages, 1), english ? L"&Chinese" : L"Chinese(&C)");
    const UINT inForce = MF_CHECKED | MF_GRAYED;
    EXPECT_EQ(::GetMenuState(languages, ID_LANGUAGE_ENGLISH, MF_BYCOMMAND) & inForce,
              english ? inForce : 0u);
    EXPECT_EQ(::GetMenuState(languages, ID_LANGUAGE_CHINESE, MF_BYCOMMAND) & inForce,
              english ? 0u : inForce);
}

std::wstring TooltipText(HWND tooltip, HWND owner, HWND control) {
    wchar_t text[128] = {};
    TOOLINFOW tool{sizeof(tool)};
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// As the pointer comes over a control: the control asks its parent about the cursor first.
void PointAt(HWND control) {
    ::SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

TEST_F(MainDialog, BrowseTooltipIsMadeWhenThePointerFirstComesOverBrowse) {
    Open();
    EXPECT_EQ(dialog.View().Tooltip(), nullptr); // the first paint does not wait for it
    PointAt(Item(IDC_CANCEL));
    EXPECT_EQ(dialog.View().Tooltip(), nullptr);
    Command(ID_LANGUAGE_CHINESE); // a text set before the tooltip is made is the one it shows
    PointAt(Item(IDC_BROWSE));
    HWND tooltip = dialog.View().Tooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_TRUE(::GetWindowLongW(tooltip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(TooltipText(tooltip, dialog.Window(), Item(IDC_BROWSE)), L"指定Fluent已安装目录");
    PointAt(Item(IDC_BROWSE)); // made once
    EXPECT_EQ(dialog.View().Tooltip(), tooltip);
    Command(ID_LANGUAGE_ENGLISH);
}

TEST_F(MainDialog, LanguageSwitchRenamesEverythingAndIsStored) {
    LayOutFluent(StandardFluentFolder(L"193"), L"fluent19.3.0");
    Open();
    Click(IDC_CALL_MATLAB);
    PointAt(Item(IDC_BROWSE));
    HWND firstTooltip = dialog.View().Tooltip();
    ASSERT_NE(firstTooltip, nullptr);
    EXPECT_TRUE(::GetWindowLongW(firstTooltip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(::SendMessageW(firstTooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TooltipText(firstTooltip, dialog.Window(), Item(IDC_BROWSE)),
              L"Browse Fluent installing folder to run.");
    ExpectMenu(dialog.Window(), InterfaceLanguage::English);

    Command(ID_LANGUAGE_CHINESE);
    EXPECT_EQ(CurrentInterfaceLanguage(), InterfaceLanguage::Chinese);
    EXPECT_EQ(test::TextOf(dialog.Window()), L"Quorvex");
    ExpectMenu(dialog.Window(), InterfaceLanguage::Chinese);
    EXPECT_EQ(Text(IDC_CANCEL), L"取消");
    EXPECT_EQ(Text(IDC_SERIAL), L"真串行");
    EXPECT_EQ(test::TextOf(Item(IDC_VS_LIST)), L"需2010~2019");
    EXPECT_EQ(test::TextOf(Item(IDC_MATLAB_LIST)), L"需2014~2021");
    EXPECT_EQ(test::TextOf(Item(IDC_FLUENT_LIST)), L"2019 R1"); // a real entry stays
    EXPECT_FALSE(::IsWindow(firstTooltip));
    EXPECT_EQ(TooltipText(dialog.View().Tooltip(), dialog.Window(), Item(IDC_BROWSE)),
              L"指定Fluent已安装目录");
    EXPECT_EQ(ReadSetting(L"IsUsingEnglishLanguage"), L"false");
    EXPECT_TRUE(Enabled(IDC_MATLAB_LIST)); // states stay
    EXPECT_TRUE(Checked(IDC_CALL_MATLAB));

    Command(ID_LANGUAGE_ENGLISH);
    ExpectMenu(dialog.Window(), InterfaceLanguage::English);
    EXPECT_EQ(Text(IDC_CANCEL), L"Cancel");
    EXPECT_EQ(test::TextOf(Item(IDC_VS_LIST)), L"need 2010~2019");
    EXPECT_EQ(ReadSetting(L"IsUsingEnglishLanguage"), L"true");
}

// The menu bar of either language leaves the template's whole client area to the controls.
TEST_F(MainDialog, MenuOfEitherLanguageKeepsTheClientArea) {
    Open();
    RECT wanted{0, 0, 252, 188};
    ::MapDialogRect(dialog.Window(), &wanted);
    for (int command : {ID_LANGUAGE_CHINESE, ID_LANGUAGE_ENGLISH}) {
        Command(command);
        RECT client{};
        ::GetClientRect(dialog.Window(), &client);
        EXPECT_EQ(client.bottom, wanted.bottom) << command;
    }
}

// While the process of the last launch runs, the commands change nothing and ask nothing.
TEST_F(MainDialog, CommandsAreRefusedWhileTheStartedProcessRuns) {
    test::ScopedVariable product(L"QUORVEX_PATH");
    ASSERT_TRUE(product.Remove()); // Tutorial would have its message
    Open();
    dialog.launchState_.startedProcess.reset(
        ::OpenProcess(SYNCHRONIZE, FALSE, ::GetCurrentProcessId())); // alive for sure
    ASSERT_TRUE(dialog.RefusesCommands());
    Command(ID_LANGUAGE_CHINESE);
    Command(ID_TUTORIAL);
    ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_BROWSE)));
    EXPECT_EQ(CurrentInterfaceLanguage(), InterfaceLanguage::English);
    EXPECT_EQ(Text(IDC_CANCEL), L"Cancel");
    ExpectMenu(dialog.Window(), InterfaceLanguage::English);
    EXPECT_EQ(ReadSetting(L"IsUsingEnglishLanguage"), L"");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(prompts.folderRequests.empty());

    // Once it has ended, the same commands act.
    dialog.launchState_.startedProcess.reset();
    Command(ID_TUTORIAL);
    EXPECT_EQ(prompts.messages.size(), 1u);
    Command(ID_LANGUAGE_CHINESE);
    EXPECT_EQ(Text(IDC_CANCEL), L"取消");
}

} // namespace
} // namespace qv
