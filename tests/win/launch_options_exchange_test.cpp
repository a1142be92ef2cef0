// The exchange on the real main dialog, opened from its template in this process.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace qv {
namespace {

class LaunchOptionsExchange : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(dialog.Open());
    }
    int Check(int id) const { return static_cast<int>(::SendMessageW(dialog.Item(id), BM_GETCHECK, 0, 0)); }
    void Click(int id, bool checked) const { dialog.CheckItem(id, checked); }

    test::ScriptedPrompts prompts;
    Modeless<CLauncherDlg> dialog;
};

TEST_F(LaunchOptionsExchange, DefaultsAreWrittenToFreshControls) {
    EXPECT_EQ(Check(IDC_2D), BST_CHECKED);
    EXPECT_EQ(Check(IDC_3D), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_SERIAL), BST_CHECKED);
    EXPECT_EQ(Check(IDC_PARALLEL), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_STATIC_LINK), BST_CHECKED);
    EXPECT_EQ(Check(IDC_DYNAMIC_LINK), BST_UNCHECKED);
    for (int id : {IDC_DOUBLE_PRECISION, IDC_CALL_COOLPROP, IDC_CALL_FORTRAN, IDC_CALL_MATLAB,
                   IDC_START_BY_WORKBENCH, IDC_CHINESE_FLUENT})
        EXPECT_EQ(Check(id), BST_UNCHECKED) << id;
    EXPECT_EQ(dialog.ItemText(IDC_PROCESS_COUNT), L"1");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LaunchOptionsExchange, ReadsEveryFieldFromTheControls) {
    Click(IDC_2D, false);
    Click(IDC_3D, true);
    Click(IDC_STATIC_LINK, false);
    Click(IDC_DYNAMIC_LINK, true);
    Click(IDC_SERIAL, false);
    Click(IDC_PARALLEL, true);
    for (int id : {IDC_DOUBLE_PRECISION, IDC_CALL_COOLPROP, IDC_CALL_FORTRAN, IDC_CALL_MATLAB, IDC_START_BY_WORKBENCH})
        Click(id, true);
    dialog.SetItemText(IDC_PROCESS_COUNT, L"999");
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    const LaunchOptions& o = dialog.Options();
    EXPECT_EQ(o.dimension, 1);
    EXPECT_EQ(o.linkMode, 1);
    EXPECT_EQ(o.processingMode, 1);
    EXPECT_EQ(o.processCount, 999u);
    EXPECT_EQ(o.doublePrecision + o.callCoolProp + o.callIntelFortran + o.callMatlab + o.startByWorkbench, 5);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LaunchOptionsExchange, CountOutOfRangeIsReportedAfterEveryFieldWasRead) {
    Click(IDC_CALL_MATLAB, true);
    dialog.EnableItem(IDC_PROCESS_COUNT, true); // as after choosing Parallel
    dialog.SetItemText(IDC_PROCESS_COUNT, L"1000");
    EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Enter an integer between 1 and 999.");
    EXPECT_EQ(prompts.messages[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(prompts.messages[0].owner, dialog.Window());
    EXPECT_EQ(dialog.Options().processCount, 1000u);
    EXPECT_EQ(dialog.Options().callMatlab, 1);
    HWND edit = dialog.Item(IDC_PROCESS_COUNT);
    EXPECT_EQ(::GetFocus(), edit);
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
}

TEST_F(LaunchOptionsExchange, ZeroIsOutOfRange) {
    dialog.SetItemText(IDC_PROCESS_COUNT, L"0");
    EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Enter an integer between 1 and 999.");
}

TEST_F(LaunchOptionsExchange, CountThatIsNoNumberStopsBeforeTheLaterFields) {
    Click(IDC_CALL_COOLPROP, true);
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls)); // the previous exchange
    // The user then changes the mode and the couplings and empties the count.
    Click(IDC_3D, true);
    Click(IDC_2D, false);
    Click(IDC_SERIAL, false);
    Click(IDC_PARALLEL, true);
    Click(IDC_CALL_COOLPROP, false);
    Click(IDC_CALL_MATLAB, true);
    Click(IDC_START_BY_WORKBENCH, true);
    dialog.EnableItem(IDC_PROCESS_COUNT, true);
    dialog.SetItemText(IDC_PROCESS_COUNT, L"");
    EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Enter a positive integer.");
    const LaunchOptions& o = dialog.Options();
    EXPECT_EQ(o.dimension, 1);        // read before the count
    EXPECT_EQ(o.processingMode, 0);   // kept from the previous exchange
    EXPECT_EQ(o.callCoolProp, 1);
    EXPECT_EQ(o.callMatlab, 0);
    EXPECT_EQ(o.startByWorkbench, 0);
    EXPECT_EQ(o.processCount, 1u);
    EXPECT_EQ(::GetFocus(), dialog.Item(IDC_PROCESS_COUNT));
}

TEST_F(LaunchOptionsExchange, RadioGroupWithNothingCheckedReadsMinusOne) {
    Click(IDC_2D, false);
    Click(IDC_3D, false);
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    EXPECT_EQ(dialog.Options().dimension, -1);
}

TEST_F(LaunchOptionsExchange, WritingChecksOnlyTheChosenButtonOfEachGroup) {
    Click(IDC_2D, true);
    Click(IDC_3D, true); // both checked: the later one counts when read
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    EXPECT_EQ(dialog.Options().dimension, 1);
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::ToControls));
    EXPECT_EQ(Check(IDC_2D), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_3D), BST_CHECKED);
}

} // namespace
} // namespace qv
