// The exchange on the real main dialog, opened from its template in this process.
#include "base/message_wait_win.h"
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <cwchar>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

class LaunchOptionsExchange : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(dialog.Open());
    }
    int Check(int id) const {
        return static_cast<int>(::SendMessageW(dialog.Item(id), BM_GETCHECK, 0, 0));
    }
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

// Each exchanged field, its value in the record as numbers for comparison.
std::map<std::string, std::int64_t> FieldValues(const LaunchOptions& o) {
    return {{"dimension", static_cast<int>(o.dimension)},
            {"doublePrecision", o.doublePrecision},
            {"processingMode", static_cast<int>(o.processingMode)},
            {"processCount", o.processCount},
            {"callCoolProp", o.callCoolProp},
            {"callIntelFortran", o.callIntelFortran},
            {"callMatlab", o.callMatlab},
            {"startByWorkbench", o.startByWorkbench},
            {"linkMode", static_cast<int>(o.linkMode)}};
}

// What every button and edit of the dialog shows, by control id.
std::map<int, std::wstring> ControlStates(HWND dialog) {
    std::map<int, std::wstring> states;
    for (HWND item = ::GetWindow(dialog, GW_CHILD); item; item = ::GetWindow(item, GW_HWNDNEXT)) {
        const std::wstring className = test::ClassNameOf(item);
        if (className == L"Button") {
            states[::GetDlgCtrlID(item)] = std::to_wstring(::SendMessageW(item, BM_GETCHECK, 0, 0));
        } else if (className == L"Edit") {
            states[::GetDlgCtrlID(item)] = test::TextOf(item);
        }
    }
    return states;
}

template <typename Map>
std::set<typename Map::key_type> ChangedKeys(const Map& before, const Map& after) {
    std::set<typename Map::key_type> changed;
    for (const auto& [key, value] : after) {
        const auto was = before.find(key);
        if (was == before.end() || was->second != value) changed.insert(key);
    }
    return changed;
}

// One exchanged field: the user's choice that differs from the default, made once in the
// controls and once in the record, and the controls that show it.
struct FieldCase {
    const char* field;
    std::set<int> controls;
    void (*choose)(HWND dialog);
    std::int64_t value;
};

const std::vector<FieldCase>& FieldCases() {
    static const std::vector<FieldCase> cases = {
        {"dimension",
         {IDC_2D, IDC_3D},
         [](HWND d) { ::CheckRadioButton(d, IDC_2D, IDC_3D, IDC_3D); },
         1},
        {"doublePrecision",
         {IDC_DOUBLE_PRECISION},
         [](HWND d) { ::CheckDlgButton(d, IDC_DOUBLE_PRECISION, BST_CHECKED); },
         1},
        {"processingMode",
         {IDC_SERIAL, IDC_PARALLEL},
         [](HWND d) { ::CheckRadioButton(d, IDC_SERIAL, IDC_PARALLEL, IDC_PARALLEL); },
         1},
        {"processCount",
         {IDC_PROCESS_COUNT},
         [](HWND d) { ::SetDlgItemTextW(d, IDC_PROCESS_COUNT, L"7"); },
         7},
        {"callCoolProp",
         {IDC_CALL_COOLPROP},
         [](HWND d) { ::CheckDlgButton(d, IDC_CALL_COOLPROP, BST_CHECKED); },
         1},
        {"callIntelFortran",
         {IDC_CALL_FORTRAN},
         [](HWND d) { ::CheckDlgButton(d, IDC_CALL_FORTRAN, BST_CHECKED); },
         1},
        {"callMatlab",
         {IDC_CALL_MATLAB},
         [](HWND d) { ::CheckDlgButton(d, IDC_CALL_MATLAB, BST_CHECKED); },
         1},
        {"startByWorkbench",
         {IDC_START_BY_WORKBENCH},
         [](HWND d) { ::CheckDlgButton(d, IDC_START_BY_WORKBENCH, BST_CHECKED); },
         1},
        {"linkMode",
         {IDC_STATIC_LINK, IDC_DYNAMIC_LINK},
         [](HWND d) { ::CheckRadioButton(d, IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_DYNAMIC_LINK); },
         1},
    };
    return cases;
}

TEST_F(LaunchOptionsExchange, EachControlMovesExactlyItsOwnField) {
    ASSERT_EQ(FieldCases().size(), FieldValues({}).size()) << "a field without its case";
    const HWND window = dialog.Window();
    for (const FieldCase& c : FieldCases()) {
        SCOPED_TRACE(c.field);
        LaunchOptions defaults;
        ASSERT_TRUE(ExchangeLaunchOptions(dialog, defaults, ExchangeDirection::ToControls));
        const std::map<int, std::wstring> untouched = ControlStates(window);

        // The user's choice in the controls reaches exactly its field.
        c.choose(window);
        const std::map<int, std::wstring> chosen = ControlStates(window);
        ASSERT_EQ(ChangedKeys(untouched, chosen), c.controls) << "the case changes other controls";
        LaunchOptions read;
        ASSERT_TRUE(ExchangeLaunchOptions(dialog, read, ExchangeDirection::FromControls));
        EXPECT_EQ(ChangedKeys(FieldValues(defaults), FieldValues(read)),
                  std::set<std::string>{c.field});
        EXPECT_EQ(FieldValues(read)[c.field], c.value);

        // The record read back into fresh controls shows exactly that choice again.
        ASSERT_TRUE(ExchangeLaunchOptions(dialog, defaults, ExchangeDirection::ToControls));
        ASSERT_EQ(ControlStates(window), untouched);
        ASSERT_TRUE(ExchangeLaunchOptions(dialog, read, ExchangeDirection::ToControls));
        EXPECT_EQ(ControlStates(window), chosen);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LaunchOptionsExchange, CountOutOfRangeIsReportedAfterEveryFieldWasRead) {
    Click(IDC_CALL_MATLAB, true);
    Click(IDC_SERIAL, false);
    Click(IDC_PARALLEL, true);
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
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
}

TEST_F(LaunchOptionsExchange, ZeroIsOutOfRange) {
    Click(IDC_SERIAL, false);
    Click(IDC_PARALLEL, true);
    dialog.EnableItem(IDC_PROCESS_COUNT, true); // as after choosing Parallel
    dialog.SetItemText(IDC_PROCESS_COUNT, L"0");
    EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Enter an integer between 1 and 999.");
}

TEST_F(LaunchOptionsExchange, CountThatIsNoNumberStopsBeforeTheLaterFields) {
    Click(IDC_CALL_COOLPROP, true);
    ASSERT_TRUE(
        dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls)); // the previous exchange
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
    EXPECT_EQ(o.dimension, Dimension::ThreeD);           // read before the count
    EXPECT_EQ(o.processingMode, ProcessingMode::Serial); // kept from the previous exchange
    EXPECT_EQ(o.callCoolProp, 1);
    EXPECT_EQ(o.callMatlab, 0);
    EXPECT_EQ(o.startByWorkbench, 0);
    EXPECT_EQ(o.processCount, 1u);
    EXPECT_EQ(::GetFocus(), dialog.Item(IDC_PROCESS_COUNT));
}

// A start by Workbench leaves the count to Workbench and disables its edit, in Parallel mode too:
// a count it cannot use is passed over as in Serial mode, never sent back to the unreachable edit.
TEST_F(LaunchOptionsExchange, WithWorkbenchACountItCannotUseIsPassedOverInParallelMode) {
    for (const wchar_t* count : {L"x", L"", L"1000"}) {
        SCOPED_TRACE(testing::Message() << "count of " << std::wcslen(count) << " characters");
        prompts.messages.clear();
        Click(IDC_SERIAL, false);
        Click(IDC_PARALLEL, true);
        Click(IDC_START_BY_WORKBENCH, false);
        dialog.EnableItem(IDC_PROCESS_COUNT, true);
        dialog.SetItemText(IDC_PROCESS_COUNT, L"12");
        ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        // The user empties the count, then starts by Workbench, which disables the edit.
        dialog.SetItemText(IDC_PROCESS_COUNT, count);
        Click(IDC_START_BY_WORKBENCH, true);
        Click(IDC_CALL_MATLAB, true);
        dialog.EnableItem(IDC_PROCESS_COUNT, false);
        EXPECT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        EXPECT_TRUE(prompts.messages.empty());
        const LaunchOptions& o = dialog.Options();
        EXPECT_EQ(o.processingMode, ProcessingMode::Parallel);
        EXPECT_EQ(o.startByWorkbench, 1);
        EXPECT_EQ(o.callMatlab, 1);
        EXPECT_EQ(o.processCount, 12u);
        Click(IDC_CALL_MATLAB, false);
    }
}

// A wait disables every control for a while; a direct parallel start still uses its count, so a
// count it cannot use stops the reading with its message, as with the edit enabled.
TEST_F(LaunchOptionsExchange, AWaitThatDisablesTheControlsLeavesTheCountInUse) {
    for (const bool waiting : {false, true}) {
        SCOPED_TRACE(waiting ? "during a wait" : "no wait");
        prompts.messages.clear();
        Click(IDC_SERIAL, false);
        Click(IDC_PARALLEL, true);
        Click(IDC_START_BY_WORKBENCH, false);
        dialog.EnableItem(IDC_PROCESS_COUNT, true);
        dialog.SetItemText(IDC_PROCESS_COUNT, L"x");
        std::optional<InputRefusal> refusal;
        if (waiting) refusal.emplace(dialog.Window(), dialog.Item(IDC_CANCEL));
        ASSERT_EQ(::IsWindowEnabled(dialog.Item(IDC_PROCESS_COUNT)) == FALSE, waiting);
        EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        EXPECT_EQ(prompts.messages.size(), 1u);
    }
}

// Serial mode uses no count and disables its edit: a count that is no number left there by
// Parallel must not stop the reading, and the last count read stays for Parallel's next turn.
TEST_F(LaunchOptionsExchange, InSerialModeACountItCannotUseIsPassedOver) {
    struct Case {
        const wchar_t* count;
        const wchar_t* parallelMessage; // what the same count meets back in Parallel
    };
    for (const Case& c :
         {Case{L"x", L"Enter a positive integer."}, Case{L"", L"Enter a positive integer."},
          Case{L"0", L"Enter an integer between 1 and 999."},
          Case{L"1000", L"Enter an integer between 1 and 999."}}) {
        SCOPED_TRACE(testing::Message()
                     << "count \"" << std::string(c.count, c.count + std::wcslen(c.count)) << "\"");
        prompts.messages.clear();
        Click(IDC_SERIAL, false);
        Click(IDC_PARALLEL, true);
        Click(IDC_3D, false);
        Click(IDC_2D, true);
        Click(IDC_CALL_COOLPROP, false);
        dialog.EnableItem(IDC_PROCESS_COUNT, true);
        dialog.SetItemText(IDC_PROCESS_COUNT, L"12");
        ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        // The user changes the count, then chooses the rest and goes back to Serial.
        dialog.SetItemText(IDC_PROCESS_COUNT, c.count);
        Click(IDC_2D, false);
        Click(IDC_3D, true);
        Click(IDC_CALL_COOLPROP, true);
        Click(IDC_PARALLEL, false);
        Click(IDC_SERIAL, true);
        dialog.EnableItem(IDC_PROCESS_COUNT, false);
        EXPECT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        EXPECT_TRUE(prompts.messages.empty());
        const LaunchOptions& o = dialog.Options();
        EXPECT_EQ(o.processingMode, ProcessingMode::Serial);
        EXPECT_EQ(o.dimension, Dimension::ThreeD);
        EXPECT_EQ(o.callCoolProp, 1);
        EXPECT_EQ(o.processCount, 12u);
        // Back in Parallel the same count is refused with its message.
        Click(IDC_SERIAL, false);
        Click(IDC_PARALLEL, true);
        dialog.EnableItem(IDC_PROCESS_COUNT, true);
        EXPECT_FALSE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, c.parallelMessage);
    }
}

TEST_F(LaunchOptionsExchange, RadioGroupWithNothingCheckedReadsMinusOne) {
    Click(IDC_2D, false);
    Click(IDC_3D, false);
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    EXPECT_EQ(static_cast<int>(dialog.Options().dimension), -1); // no radio checked
}

TEST_F(LaunchOptionsExchange, WritingChecksOnlyTheChosenButtonOfEachGroup) {
    Click(IDC_2D, true);
    Click(IDC_3D, true); // both checked: the later one counts when read
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::FromControls));
    EXPECT_EQ(dialog.Options().dimension, Dimension::ThreeD);
    ASSERT_TRUE(dialog.ExchangeLaunchOptions(ExchangeDirection::ToControls));
    EXPECT_EQ(Check(IDC_2D), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_3D), BST_CHECKED);
}

} // namespace
} // namespace qv
