// The Workbench tip opened from its template in this process: its layout, its texts in both
// languages and what its buttons store.
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "texts/language.h"
#include "ui/launcher_prompts_win.h"
#include "ui/workbench_tip_dlg_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

class WorkbenchTip : public ::testing::Test {
  protected:
    void TearDown() override { SetInterfaceLanguage(language_); }
    void Press(int id) {
        ::SendMessageW(tip.Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(tip.Item(id)));
    }
    std::wstring Stored() const { return ReadSetting(L"IsWorkbenchTipShow"); }

    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    Modeless<CWorbenchWarningDlg> tip{nullptr};

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

TEST_F(WorkbenchTip, ControlsSitAtTheirDialogUnitRectangles) {
    ASSERT_TRUE(tip.Open());
    struct Control {
        int id;
        RECT units; // x, y, width, height
        const wchar_t* className;
    };
    // In the order they are read: the tip, then the picture it names.
    const std::vector<Control> layout{
        {IDC_TIP_TEXT, {7, 4, 220, 66}, L"Static"},
        {IDC_TIP_PICTURE, {7, 71, 220, 82}, L"Static"},
        {IDC_TIP_DO_NOT_SHOW, {12, 154, 148, 13}, L"Button"},
        {IDOK, {54, 168, 50, 14}, L"Button"},
        {IDCANCEL, {139, 168, 50, 14}, L"Button"},
    };
    HWND child = ::GetWindow(tip.Window(), GW_CHILD);
    for (const Control& control : layout) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(::GetDlgCtrlID(child), control.id) << "in the order of reading";
        EXPECT_EQ(test::ClassNameOf(child), control.className);
        RECT expected{control.units.left, control.units.top,
                      control.units.left + control.units.right,
                      control.units.top + control.units.bottom};
        ::MapDialogRect(tip.Window(), &expected);
        RECT actual{};
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(HWND_DESKTOP, tip.Window(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << control.id;
        EXPECT_EQ(actual.top, expected.top) << control.id;
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
    const LONG pictureStyle = ::GetWindowLongW(tip.Item(IDC_TIP_PICTURE), GWL_STYLE);
    EXPECT_EQ(pictureStyle & SS_TYPEMASK, SS_OWNERDRAW);
    EXPECT_NE(pictureStyle & SS_SUNKEN, 0);
    EXPECT_EQ(::GetWindowLongW(tip.Item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetFocus(), tip.Item(IDC_TIP_DO_NOT_SHOW)) << "the first control has the focus";
}

TEST_F(WorkbenchTip, TextsOfBothLanguagesButtonsAlwaysOkAndCancel) {
    for (const auto language : {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
        SetInterfaceLanguage(language);
        Modeless<CWorbenchWarningDlg> shown(nullptr);
        ASSERT_TRUE(shown.Open());
        const bool english = language == InterfaceLanguage::English;
        EXPECT_EQ(test::TextOf(shown.Window()), english ? L"Tips" : L"提示");
        EXPECT_EQ(test::TextOf(shown.Item(IDC_TIP_DO_NOT_SHOW)),
                  english ? L"Got it. Do not show this tips next time."
                          : L"知道了，下次不要显示本提示");
        const std::wstring text = test::TextOf(shown.Item(IDC_TIP_TEXT));
        if (english) {
            EXPECT_EQ(text.rfind(L"Since Fluent18.2, Serial version in WorkBench is \"Pseudo\" as "
                                 L"it has been changed to parallel architecture (must consider "
                                 L"host and node-0 in UDF). To use true Serial",
                                 0),
                      0u);
            EXPECT_NE(text.find(L" Since Fluent 2022R2, Serial code has been officially removed"),
                      std::wstring::npos);
        } else {
            EXPECT_EQ(text.rfind(L"从Fluent18.2开始，WorkBench中的Serial是\"伪串行\"", 0), 0u);
            EXPECT_NE(
                text.find(L"（通过WorkBench来启动Fluent无法实现）。自Fluent 2022R2起官方已完全"
                          L"移除串行代码"),
                std::wstring::npos);
            EXPECT_NE(text.find(L"单核并行"), std::wstring::npos);
            EXPECT_EQ(text.back(), L'。');
        }
        EXPECT_EQ(test::TextOf(shown.Item(IDOK)), L"OK");
        EXPECT_EQ(test::TextOf(shown.Item(IDCANCEL)), L"Cancel");
        EXPECT_EQ(::SendMessageW(shown.Item(IDC_TIP_DO_NOT_SHOW), BM_GETCHECK, 0, 0),
                  BST_UNCHECKED);
    }
}

TEST_F(WorkbenchTip, OkStoresTheCheckBoxAndCancelStoresNothing) {
    struct Case {
        bool ticked;
        int button;
        const wchar_t* stored;
    };
    for (const Case& c :
         std::vector<Case>{{false, IDOK, L"true"}, {true, IDOK, L"false"}, {true, IDCANCEL, L""}}) {
        ASSERT_TRUE(
            test::DeleteRegistryValue(HKEY_CURRENT_USER, SettingsKeyPath, L"IsWorkbenchTipShow"));
        Modeless<CWorbenchWarningDlg> shown(nullptr);
        ASSERT_TRUE(shown.Open());
        ::SendMessageW(shown.Item(IDC_TIP_DO_NOT_SHOW), BM_SETCHECK,
                       c.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        ::SendMessageW(shown.Window(), WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(shown.Item(c.button)));
        EXPECT_EQ(Stored(), c.stored) << c.ticked << " " << c.button;
        EXPECT_EQ(shown.Window(), nullptr) << "the tip ended";
    }
}

} // namespace
} // namespace qv
