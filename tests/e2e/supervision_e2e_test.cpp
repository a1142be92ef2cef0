// The wait for Fluent after OK, by the real QuorvexLauncher.exe, where users met it failing: two
// launchers started at once, a start program that fails at once, and a wait the user ends.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/child_process_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace qv {
namespace {

using namespace std::chrono_literals;
using e2e::LauncherRun;
using e2e::MessageText;
using e2e::Sandbox;

std::wstring Setting(const wchar_t* variable, const wchar_t* value) {
    return std::wstring(variable) + L"=" + value;
}

// The window handle as the launcher hands it to Fluent in __SharedLauncherWnd__.
std::wstring HandedOn(HWND dialog) {
    return std::to_wstring(static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(dialog)));
}

class SupervisionExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(e2e::LauncherExe()));
        ASSERT_TRUE(sandbox_.ok);
    }
    // Fluent and its start program, as started by the launches of the test.
    int FluentProgramsRunning() const { return test::ProgramsRunningBelow(sandbox_.fluentRoot); }
    // The wait has ended without a Fluent: the dialog is back for another try.
    static void ExpectDialogBackWithNothingRecorded(LauncherRun& launcher) {
        ASSERT_TRUE(launcher.WaitForPostedCommands());
        EXPECT_FALSE(launcher.ShowsOtherDialog());
        EXPECT_FALSE(launcher.HasExited());
        // The controls come back as the wait unwinds, which may be after the commands handled.
        EXPECT_TRUE(
            test::WaitUntil([&] { return ::IsWindowEnabled(launcher.Item(IDOK)) != FALSE; }));
        EXPECT_EQ(::GetWindowLongPtrW(launcher.Dialog(), GWLP_USERDATA), 0);
    }

    Sandbox sandbox_{L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix()};
};

// A second launcher started a second after the first, whose Fluent shows its window first: each
// launcher records the Fluent its own start program started, and each closes on its signal.
TEST_F(SupervisionExe, TwoLaunchersAtOnceEachRecordTheirOwnFluentAndCloseOnItsSignal) {
    LauncherRun first(sandbox_.Environment({Setting(fake::WindowDelayVariable, L"7000")}));
    ASSERT_NE(first.Dialog(), nullptr);
    first.Press(IDOK);
    test::PumpMessages(1s);
    LauncherRun second(sandbox_.Environment({Setting(fake::WindowDelayVariable, L"0")}));
    ASSERT_NE(second.Dialog(), nullptr);
    second.Press(IDOK);

    const DWORD firstFluent = first.WaitForRecordedProcess();
    const DWORD secondFluent = second.WaitForRecordedProcess();
    ASSERT_NE(firstFluent, 0u) << first.Describe();
    ASSERT_NE(secondFluent, 0u) << second.Describe();
    EXPECT_NE(firstFluent, secondFluent);
    // Each recorded Fluent was started for the launcher that recorded it.
    const auto firstSolver =
        test::WaitForFakeRecord(sandbox_.records.Path(), L"fl2520s", firstFluent);
    const auto secondSolver =
        test::WaitForFakeRecord(sandbox_.records.Path(), L"fl2520s", secondFluent);
    ASSERT_TRUE(firstSolver && secondSolver);
    EXPECT_EQ(firstSolver->Value(fake::key::LauncherWindow), HandedOn(first.Dialog()));
    EXPECT_EQ(secondSolver->Value(fake::key::LauncherWindow), HandedOn(second.Dialog()));
    // The windows showed in the opposite order of the starts.
    const std::wstring firstShown = firstSolver->Value(fake::key::WindowShownAt);
    const std::wstring secondShown = secondSolver->Value(fake::key::WindowShownAt);
    ASSERT_FALSE(firstShown.empty() || secondShown.empty());
    EXPECT_LT(std::stoll(secondShown), std::stoll(firstShown));

    ASSERT_TRUE(sandbox_.OpenGate());
    EXPECT_TRUE(first.WaitForExit()) << first.Describe() << test::ReadLaunchLog();
    EXPECT_TRUE(second.WaitForExit()) << second.Describe() << test::ReadLaunchLog();
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(second.ExitCode(), 0u);
    for (const auto& solver : {firstSolver, secondSolver}) {
        const auto signalled = test::ReadFakeRecord(solver->path);
        ASSERT_TRUE(signalled);
        EXPECT_EQ(signalled->Value(fake::key::Signal), L"sent") << solver->ProcessId();
    }
}

// A start program that ends at once with an error code and starts nothing (a licence failure has
// this shape): the dialog comes back with a message naming the program and its exit code, and
// nothing is recorded.
TEST_F(SupervisionExe, AStartProgramThatFailsAtOnceBringsTheDialogBackWithItsExitCode) {
    LauncherRun launcher(sandbox_.Environment({Setting(fake::StartFailsVariable, L"1")}));
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Press(IDOK);
    HWND box = launcher.WaitForOtherDialog();
    ASSERT_NE(box, nullptr) << launcher.Describe();
    EXPECT_EQ(MessageText(box), L"Fluent's start program \"" + sandbox_.fluent.startProgram +
                                    L"\" ended with exit code 1, and no Fluent window has "
                                    L"appeared.\nPlease make sure Fluent is correctly installed "
                                    L"and licensed, then try again.");
    EXPECT_EQ(test::TextOf(box), L"Error");
    ASSERT_TRUE(e2e::CloseWith(box, IDOK));

    ASSERT_NO_FATAL_FAILURE(ExpectDialogBackWithNothingRecorded(launcher));
    EXPECT_TRUE(Contains(test::ReadLaunchLog(), L"Fluent's start program ended with exit code 1"));
    EXPECT_TRUE(launcher.Close());
    // However the user ends the run afterwards, its end line names the failure it showed.
    EXPECT_TRUE(Contains(test::ReadLaunchLog(),
                         L"] info    end: closed by the user (the window's close box) after the "
                         L"message start-program-failed; exit code 0"))
        << test::ReadLaunchLog();
}

// Two launchers on one desktop: one's start program fails while the other's Fluent comes up, in
// either order of the presses. The one that failed says so and can be closed; it never takes the
// other's Fluent, which its own launcher records and closes on.
TEST_F(SupervisionExe, ALauncherWhoseStartFailedNeverTakesAnotherLaunchersFluent) {
    for (const bool failingFirst : {true, false}) {
        SCOPED_TRACE(failingFirst ? "the failing start first" : "the other start first");
        LauncherRun failing(sandbox_.Environment({Setting(fake::StartFailsVariable, L"3")}));
        LauncherRun other(sandbox_.Environment({Setting(fake::WindowDelayVariable, L"1000")}));
        ASSERT_NE(failing.Dialog(), nullptr);
        ASSERT_NE(other.Dialog(), nullptr);
        if (failingFirst) failing.Press(IDOK);
        other.Press(IDOK);
        if (!failingFirst) failing.Press(IDOK);

        const HWND box = failing.WaitForOtherDialog();
        ASSERT_NE(box, nullptr) << failing.Describe();
        EXPECT_NE(MessageText(box).find(L"ended with exit code 3"), std::wstring::npos)
            << MessageText(box);
        ASSERT_TRUE(e2e::CloseWith(box, IDOK));
        ASSERT_NO_FATAL_FAILURE(ExpectDialogBackWithNothingRecorded(failing));
        EXPECT_TRUE(failing.Close()) << failing.Describe();

        const DWORD recorded = other.WaitForRecordedProcess();
        ASSERT_NE(recorded, 0u) << other.Describe();
        EXPECT_TRUE(test::WaitForFakeRecord(sandbox_.records.Path(), L"fl2520s", recorded));
        ASSERT_TRUE(sandbox_.OpenGate());
        EXPECT_TRUE(other.WaitForExit()) << other.Describe();
        EXPECT_EQ(other.ExitCode(), 0u);
        test::EndProgramsBelow(sandbox_.fluentRoot);
        ASSERT_TRUE(test::RemoveTree(sandbox_.Gate()));
    }
}

// Cancel while OK waits for a slow Fluent window asks whether to stop waiting; Yes brings the
// dialog back with nothing recorded, and Fluent and its start program go on.
TEST_F(SupervisionExe, CancelDuringTheWaitOffersToStopWaiting) {
    LauncherRun launcher(sandbox_.Environment({Setting(fake::WindowDelayVariable, L"30000")}));
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Press(IDOK);
    ASSERT_TRUE(test::WaitUntil([&] { return FluentProgramsRunning() == 2; }));
    launcher.Press(IDC_CANCEL);
    HWND question = launcher.WaitForOtherDialog();
    ASSERT_NE(question, nullptr) << launcher.Describe();
    EXPECT_EQ(MessageText(question), L"The launcher is waiting for Fluent to start.\nStop waiting? "
                                     L"Fluent and its start program are left running.");
    EXPECT_EQ(test::TextOf(question), L"Warning");
    EXPECT_NE(::GetDlgItem(question, IDNO), nullptr);
    ASSERT_TRUE(e2e::CloseWith(question, IDYES));

    ASSERT_NO_FATAL_FAILURE(ExpectDialogBackWithNothingRecorded(launcher));
    EXPECT_EQ(FluentProgramsRunning(), 2);
    EXPECT_TRUE(Contains(test::ReadLaunchLog(), L"waiting for Fluent given up"));
    // Nothing recorded runs: the launcher closes.
    EXPECT_TRUE(launcher.Close());
}

} // namespace
} // namespace qv
