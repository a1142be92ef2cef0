// The main dialog's rules on a dialog of plain values: each rule, the sequences whose outcome
// depends on the order of the user's actions, and both languages' texts.
#include "resources/resource.h"
#include "tests/support/expected_main_dialog_texts.h"
#include "tests/support/memory_dialog_view.h"
#include "ui/main_dialog_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

constexpr auto English = InterfaceLanguage::English;
constexpr auto Chinese = InterfaceLanguage::Chinese;

// Controls the Workbench start takes over, and the count's edit that comes back with Parallel.
const std::vector<int> WorkbenchControls = {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL,
                                            IDC_PARALLEL};

class MainDialogRules : public ::testing::Test {
  protected:
    MainDialogRules() { ApplyInitialControlStates(view, 1); }
    ~MainDialogRules() override { SetInterfaceLanguage(English); }

    // The Fluent list holding these entries, the first selected, and the rule applied to it.
    void ShowFluentEntries(const std::vector<std::wstring>& entries,
                           ProcessingMode processingMode = ProcessingMode::Serial) {
        view.Entries(IDC_FLUENT_LIST) = test::MemoryListBox(entries);
        view.Entries(IDC_FLUENT_LIST).Select(0);
        ApplyFluentVersionRule(view, 0, processingMode);
    }
    void ClickWorkbench(bool checked) {
        view.Check(IDC_START_BY_WORKBENCH, checked);
        ApplyWorkbenchRule(view);
    }

    test::MemoryDialogView view;
};

TEST_F(MainDialogRules, InitialStatesLeaveOnlyTheCountAndMatlabChoicesDisabled) {
    EXPECT_TRUE(view.IsChecked(IDC_SERIAL));
    EXPECT_FALSE(view.IsChecked(IDC_DOUBLE_PRECISION));
    for (int id :
         {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST, IDC_PROCESS_SPIN, IDC_PROCESS_COUNT})
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    for (int id : {IDC_START_BY_WORKBENCH, IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        EXPECT_TRUE(view.IsEnabled(id)) << id;
    EXPECT_EQ(view.Text(IDC_PROCESS_COUNT), L"1");
    EXPECT_EQ(view.spinRange, std::make_pair(1, 999));
}

TEST_F(MainDialogRules, FluentVersionDecidesChineseFluentWorkbenchAndTheModeLabel) {
    struct Case {
        const wchar_t* entry;
        bool chineseFluent, workbench;
        const wchar_t* english;
        const wchar_t* chinese;
    };
    const std::vector<Case> cases = {
        {L"Not found", false, false, L"Serial", L"真串行"},
        {L"6.3.26", false, false, L"Serial", L"真串行"},
        {L"12.0.16", false, true, L"Serial", L"真串行"},
        {L"19.2.0", false, true, L"Serial", L"真串行"},
        {L"2019 R3", false, true, L"Serial", L"真串行"},
        {L"2020 R1", true, true, L"Serial", L"真串行"},
        {L"2022 R1", true, true, L"Serial", L"真串行"},
        {L"2022 R2", true, true, L"1-Core Parallel", L"单核并行"},
        {L"2023 R1", true, true, L"1-Core Parallel", L"单核并行"},
        {L"2025 R2", true, true, L"1-Core Parallel", L"单核并行"},
    };
    for (const Case& c : cases) {
        for (InterfaceLanguage language : {English, Chinese}) {
            SCOPED_TRACE(testing::Message() << c.entry << (language == English ? " en" : " zh"));
            SetInterfaceLanguage(language);
            view.Check(IDC_CHINESE_FLUENT, true);
            view.Enable(IDC_START_BY_WORKBENCH, !c.workbench); // the rule must set it
            ShowFluentEntries({c.entry});
            EXPECT_EQ(view.IsEnabled(IDC_CHINESE_FLUENT), c.chineseFluent);
            EXPECT_EQ(view.IsChecked(IDC_CHINESE_FLUENT), c.chineseFluent);
            EXPECT_EQ(view.IsEnabled(IDC_START_BY_WORKBENCH), c.workbench);
            EXPECT_EQ(view.Text(IDC_SERIAL), language == English ? c.english : c.chinese);
        }
    }
}

TEST_F(MainDialogRules, IndexWithoutAnEntryCountsAsVersionZero) {
    ShowFluentEntries({L"2023 R1"});
    ApplyFluentVersionRule(view, 3, ProcessingMode::Serial);
    EXPECT_FALSE(view.IsEnabled(IDC_CHINESE_FLUENT));
    EXPECT_FALSE(view.IsEnabled(IDC_START_BY_WORKBENCH));
    EXPECT_EQ(view.Text(IDC_SERIAL), L"Serial");
}

// Workbench checked, then an entry below 12: the mark goes, the controls come back, and the
// count's edit only when Parallel was the mode at the last exchange.
TEST_F(MainDialogRules, EntryBelowTwelveEndsAWorkbenchStart) {
    for (ProcessingMode processingMode : {ProcessingMode::Serial, ProcessingMode::Parallel}) {
        SCOPED_TRACE(static_cast<int>(processingMode));
        ShowFluentEntries({L"2021 R1", L"6.3.26"});
        ClickWorkbench(true);
        EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"Dimension(set in WB)");
        ApplyFluentVersionRule(view, 1, processingMode);
        EXPECT_FALSE(view.IsChecked(IDC_START_BY_WORKBENCH));
        EXPECT_FALSE(view.IsEnabled(IDC_START_BY_WORKBENCH));
        EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"Dimension");
        for (int id : WorkbenchControls)
            EXPECT_TRUE(view.IsEnabled(id)) << id;
        EXPECT_EQ(view.IsEnabled(IDC_PROCESS_COUNT), processingMode == ProcessingMode::Parallel);
        EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_SPIN));
    }
}

TEST_F(MainDialogRules, EntryBelowTwelveWithoutWorkbenchTouchesNothingElse) {
    ShowFluentEntries({L"6.3.26"});
    view.Enable(IDC_2D, false); // a state the rule must leave alone
    ApplyFluentVersionRule(view, 0, ProcessingMode::Parallel);
    EXPECT_FALSE(view.IsEnabled(IDC_2D));
    EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_COUNT));
}

TEST_F(MainDialogRules, ModeRuleMovesSpinAndEditTogether) {
    ApplyModeRule(view, true);
    EXPECT_TRUE(view.IsChecked(IDC_PARALLEL));
    EXPECT_FALSE(view.IsChecked(IDC_SERIAL));
    EXPECT_TRUE(view.IsEnabled(IDC_PROCESS_SPIN));
    EXPECT_TRUE(view.IsEnabled(IDC_PROCESS_COUNT));
    ApplyModeRule(view, false);
    EXPECT_TRUE(view.IsChecked(IDC_SERIAL));
    EXPECT_FALSE(view.IsChecked(IDC_PARALLEL));
    EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_SPIN));
    EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_COUNT));
}

// Parallel, then Workbench: the edit goes, the spin stays; Workbench off brings the edit back.
TEST_F(MainDialogRules, WorkbenchAfterParallelLeavesTheSpinEnabled) {
    ShowFluentEntries({L"2023 R1"});
    ApplyModeRule(view, true);
    ClickWorkbench(true);
    for (int id : WorkbenchControls)
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_COUNT));
    EXPECT_TRUE(view.IsEnabled(IDC_PROCESS_SPIN));
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"Dimension(set in WB)");
    ClickWorkbench(false);
    for (int id : WorkbenchControls)
        EXPECT_TRUE(view.IsEnabled(id)) << id;
    EXPECT_TRUE(view.IsEnabled(IDC_PROCESS_COUNT));
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"Dimension");
}

TEST_F(MainDialogRules, WorkbenchOffInSerialModeKeepsTheCountDisabled) {
    SetInterfaceLanguage(Chinese);
    ClickWorkbench(true);
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"版本(请WB中设置)");
    ClickWorkbench(false);
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"版本");
    EXPECT_FALSE(view.IsEnabled(IDC_PROCESS_COUNT));
    EXPECT_TRUE(view.IsEnabled(IDC_SERIAL));
}

TEST_F(MainDialogRules, MatlabRuleEnablesLinkAndListButKeepsTheirChoices) {
    view.Entries(IDC_MATLAB_LIST) = test::MemoryListBox({L"2018a", L"2019b"});
    view.Entries(IDC_MATLAB_LIST).Select(1);
    view.Check(IDC_CALL_MATLAB, true);
    ApplyMatlabRule(view);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_TRUE(view.IsEnabled(id)) << id;
    view.Check(IDC_STATIC_LINK, false);
    view.Check(IDC_DYNAMIC_LINK, true);
    view.Check(IDC_CALL_MATLAB, false);
    ApplyMatlabRule(view);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_TRUE(view.IsChecked(IDC_DYNAMIC_LINK));
    EXPECT_FALSE(view.IsChecked(IDC_STATIC_LINK));
    EXPECT_EQ(view.Entries(IDC_MATLAB_LIST).selection, 1);
}

// The complete text table of both languages, written out here as the user reads it.
TEST_F(MainDialogRules, RefreshSetsEveryTextOfTheLanguage) {
    const std::vector<test::ExpectedText>& table = test::ExpectedControlTexts;
    for (InterfaceLanguage language : {Chinese, English}) {
        view.texts.clear();
        RefreshDialogTexts(view, language);
        for (const test::ExpectedText& row : table)
            EXPECT_EQ(view.Text(row.id), language == English ? row.english : row.chinese) << row.id;
        EXPECT_EQ(view.tooltip, language == English ? L"Browse Fluent installing folder to run."
                                                    : L"指定Fluent已安装目录");
        // Only what the table names: the radios 2D and 3D keep the template's texts.
        EXPECT_EQ(view.texts.size(), table.size());
    }
    EXPECT_EQ(view.tooltipsMade, 2);
}

TEST_F(MainDialogRules, RefreshFollowsTheSelectedFluentEntryAndTheWorkbenchMark) {
    ShowFluentEntries({L"2021 R2", L"2022 R2"});
    view.Entries(IDC_FLUENT_LIST).Select(1);
    view.Check(IDC_START_BY_WORKBENCH, true);
    RefreshDialogTexts(view, Chinese);
    EXPECT_EQ(view.Text(IDC_SERIAL), L"单核并行");
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"版本(请WB中设置)");
    RefreshDialogTexts(view, English);
    EXPECT_EQ(view.Text(IDC_SERIAL), L"1-Core Parallel");
    EXPECT_EQ(view.Text(IDC_DIMENSION_GROUP), L"Dimension(set in WB)");
}

// A list holding only the other language's placeholder gets this language's, selected; any
// other content stays as it is.
TEST_F(MainDialogRules, RefreshTranslatesPlaceholdersOnly) {
    struct Case {
        int list;
        std::vector<std::wstring> before;
        InterfaceLanguage language;
        std::vector<std::wstring> after;
        int selection; // after; -1 where the case leaves it unselected
    };
    const std::vector<Case> cases = {
        {IDC_VS_LIST, {L"need 2010~2019"}, Chinese, {L"需2010~2019"}, 0},
        {IDC_VS_LIST, {L"需2010~2019"}, English, {L"need 2010~2019"}, 0},
        {IDC_FLUENT_LIST, {L"Not found"}, Chinese, {L"未发现"}, 0},
        {IDC_FLUENT_LIST, {L"未发现"}, English, {L"Not found"}, 0},
        {IDC_MATLAB_LIST, {L"need 2014~2021"}, Chinese, {L"需2014~2021"}, 0},
        {IDC_MATLAB_LIST, {L"需2014~2021"}, English, {L"need 2014~2021"}, 0},
        // the placeholder of the language in force, a real entry beside one, another list's
        {IDC_FLUENT_LIST, {L"Not found"}, English, {L"Not found"}, -1},
        {IDC_FLUENT_LIST, {L"2020 R1", L"Not found"}, Chinese, {L"2020 R1", L"Not found"}, -1},
        {IDC_VS_LIST, {L"need 2014~2021"}, Chinese, {L"need 2014~2021"}, -1},
        {IDC_MATLAB_LIST, {L"2019b"}, Chinese, {L"2019b"}, -1},
    };
    for (const Case& c : cases) {
        test::MemoryDialogView fresh;
        fresh.Entries(c.list) = test::MemoryListBox(c.before);
        RefreshDialogTexts(fresh, c.language);
        EXPECT_EQ(fresh.Entries(c.list).entries, c.after) << c.before[0];
        EXPECT_EQ(fresh.Entries(c.list).selection, c.selection) << c.before[0];
    }
}

TEST_F(MainDialogRules, LanguageSwitchChangesTextsOnly) {
    ShowFluentEntries({L"Not found"});
    view.Entries(IDC_VS_LIST) = test::MemoryListBox({L"need 2010~2019"});
    view.Entries(IDC_VS_LIST).Select(0);
    ApplyModeRule(view, true);
    view.Check(IDC_CALL_COOLPROP, true);
    const auto enabled = view.enabled;
    const auto checked = view.checked;

    ShowInterfaceLanguage(view, Chinese);
    EXPECT_EQ(CurrentInterfaceLanguage(), Chinese);
    EXPECT_EQ(view.title, L"Quorvex");
    EXPECT_EQ(view.menu, Chinese);
    EXPECT_EQ(view.Text(IDC_CANCEL), L"取消");
    EXPECT_EQ(view.Entries(IDC_FLUENT_LIST).entries, std::vector<std::wstring>{L"未发现"});
    EXPECT_EQ(view.Entries(IDC_VS_LIST).entries, std::vector<std::wstring>{L"需2010~2019"});
    EXPECT_EQ(view.enabled, enabled);
    EXPECT_EQ(view.checked, checked);

    ShowInterfaceLanguage(view, English);
    EXPECT_EQ(view.menu, English);
    EXPECT_EQ(view.Text(IDC_CANCEL), L"Cancel");
    EXPECT_EQ(view.Entries(IDC_FLUENT_LIST).entries, std::vector<std::wstring>{L"Not found"});
    EXPECT_EQ(view.Entries(IDC_FLUENT_LIST).selection, 0);
    EXPECT_EQ(view.checked, checked);
}

} // namespace
} // namespace qv
