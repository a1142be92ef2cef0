// Every text of every dialog of the launcher fits its control, in both languages, in each
// control's own font at this screen's DPI. The Windows suite runs these at 96 DPI and once more
// in a prefix at 144 DPI.
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/support/dialog_inspection_win.h"
#include "tests/support/test_support_win.h"
#include "tests/support/text_fit_win.h"
#include "ui/about_dlg_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/update_dlg_win.h"
#include "ui/workbench_tip_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

namespace qv {
namespace {

constexpr InterfaceLanguage Languages[] = {InterfaceLanguage::English, InterfaceLanguage::Chinese};

const char* NameOf(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? "English" : "Chinese";
}

class DialogTextsFit : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        // The run names the DPI its prefix was set to; a prefix that did not take it fails here.
        const char* expected = std::getenv("QV_EXPECTED_DPI");
        ASSERT_EQ(dpi, expected ? std::atoi(expected) : 96);
    }
    void ExpectAllFit(const Dialog& dialog) const {
        const std::vector<test::CutText> cut = test::CutTextsOf(dialog.Window(), nullptr, dpi);
        EXPECT_TRUE(cut.empty()) << "at " << dpi << " DPI:\n" << test::Describe(cut);
    }
    template <typename D> void OpenAndExpectAllFit(Modeless<D>& dialog) const {
        ASSERT_TRUE(dialog.Open());
        ExpectAllFit(dialog);
    }
    const int dpi = test::ScreenDpi();
};

std::vector<int> IdsOf(const std::vector<test::CutText>& cut) {
    std::vector<int> ids;
    for (const test::CutText& text : cut)
        ids.push_back(text.id);
    return ids;
}

// What the measuring finds when texts do not fit: a wrapped label one line too many, a link
// too wide for its line, a check box and a button whose captions run past them.
TEST_F(DialogTextsFit, MeasuringFindsEachKindOfTextThatDoesNotFit) {
    Modeless<CAboutDlg> about(nullptr, true);
    ASSERT_TRUE(about.Open());
    ExpectAllFit(about);
    about.SetItemText(IDC_SITE_LABEL, L"Global: and so on");
    about.SetItemText(IDC_SITE_LINK, L"https://www.example.com/a/long/way/down/the/site");
    about.SetItemText(IDC_AUTO_CHECK, L"Auto check for update on startup and on every hour");
    about.SetItemText(IDOK, L"OK, and close this box");
    EXPECT_EQ(IdsOf(test::CutTextsOf(about.Window(), nullptr, dpi)),
              (std::vector<int>{IDC_SITE_LABEL, IDC_SITE_LINK, IDC_AUTO_CHECK, IDOK}));
}

// The placeholders of a machine without Fluent, Visual Studio or MATLAB, then the longer texts
// of a newer Fluent ("1-Core Parallel") started through Workbench ("Dimension(set in WB)").
TEST_F(DialogTextsFit, MainDialogInEachOfItsStates) {
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    for (const InterfaceLanguage language : Languages) {
        SCOPED_TRACE(NameOf(language));
        test::ScopedLanguage inForce(language);
        test::ScriptedPrompts prompts;
        Modeless<CLauncherDlg> dialog;
        ASSERT_TRUE(dialog.Open());
        ExpectAllFit(dialog);

        const HWND fluent = dialog.Item(IDC_FLUENT_LIST);
        ::SendMessageW(fluent, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"2025 R2"));
        ::SendMessageW(fluent, CB_SETCURSEL, 1, 0);
        ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_FLUENT_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(fluent));
        for (int id : {IDC_START_BY_WORKBENCH, IDC_CALL_MATLAB})
            ::SendMessageW(dialog.Item(id), BM_CLICK, 0, 0);
        ASSERT_TRUE(dialog.IsItemChecked(IDC_START_BY_WORKBENCH));
        ExpectAllFit(dialog);
    }
}

TEST_F(DialogTextsFit, AboutBoxUpdateDialogAndWorkbenchTip) {
    for (const InterfaceLanguage language : Languages) {
        SCOPED_TRACE(NameOf(language));
        test::ScopedLanguage inForce(language);
        Modeless<CAboutDlg> about(nullptr, true);
        // A release with a service pack makes the update dialog's longest message.
        Modeless<CUpdateDlg> update(ReleaseNumber{2026, 1, 2}, L"http://127.0.0.1:1", nullptr);
        Modeless<CWorbenchWarningDlg> tip(nullptr);
        OpenAndExpectAllFit(about);
        OpenAndExpectAllFit(update);
        OpenAndExpectAllFit(tip);
    }
}

} // namespace
} // namespace qv
