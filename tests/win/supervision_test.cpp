// Starting Fluent and waiting for its new main window without freezing the dialog, the question
// after a long wait, failed starts, and Workbench recorded at once.
#include "base/environment_win.h"
#include "base/text.h"
#include "launch/supervision_win.h"
#include "tests/win/launch_fixture_win.h"

#include <tlhelp32.h>

#include <atomic>
#include <thread>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

int CountProcessesNamed(const wchar_t* name) {
    int count = 0;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
        count += EqualsNoCase(entry.szExeFile, name) ? 1 : 0;
    return count;
}

class Supervision : public LaunchTest {
  protected:
    StartRequest DirectStart() const {
        StartRequest request;
        request.program = installation_.fluent.startProgram;
        request.commandLine =
            request.program + L" 3d -t1 -i \"" + installation_.product.loaderScm + L"\"";
        request.version = 25.2;
        request.productFolder = installation_.product.folder;
        return request;
    }
    ScopedVariable windowDelay_{fake::WindowDelayVariable};
};

TEST_F(Supervision, RecordsTheNewFluentWhileTheDialogAnswersButTakesNoInput) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    // A Fluent that ran before: never the one recorded.
    const auto& solverExe = installation_.fluent.solver;
    ASSERT_TRUE(Start(solverExe, L"\"" + solverExe + L"\" 3d").process);
    const SolverFound before = FindSolver();
    ASSERT_NE(before.processId, 0u);
    // The new one takes a while to show its window: the launcher waits meanwhile.
    ASSERT_TRUE(windowDelay_.Set(L"1500"));

    std::atomic<bool> supervising{true};
    std::atomic<int> answeredDuringWait{-1};
    std::atomic<int> enabledDuringWait{-1};
    std::thread asker([&] {
        // Once the new solver runs (its window not shown yet), ask the dialog something.
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (CountProcessesNamed(fake::SolverExeName) < 2 &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(10ms);
        enabledDuringWait = ::IsWindowEnabled(launcher_.get()) ? 1 : 0;
        // Bounded, so that a dialog that does not answer fails the test instead of hanging it.
        DWORD_PTR result = 0;
        answeredDuringWait = ::SendMessageTimeoutW(launcher_.get(), WM_GETTEXTLENGTH, 0, 0,
                                                   SMTO_NORMAL, 20000, &result) &&
                                     supervising
                                 ? 1
                                 : 0;
    });
    const LaunchStep step = StartAndSupervise(DirectStart(), launcher_.get(), state_);
    supervising = false;
    asker.join();

    EXPECT_EQ(step, LaunchStep::Continue);
    EXPECT_EQ(answeredDuringWait, 1) << "the dialog answered only after the wait";
    EXPECT_EQ(enabledDuringWait, 0) << "the dialog took input during the wait";
    EXPECT_TRUE(::IsWindowEnabled(launcher_.get()));
    ASSERT_NE(state_.startedProcessId, 0u);
    EXPECT_NE(state_.startedProcessId, before.processId);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA),
              static_cast<LONG_PTR>(state_.startedProcessId));
    const auto record = SolverRecord(state_.startedProcessId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::UserDataCheck), fake::Pass);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(Supervision, AfterTheLimitTheUserIsAskedWithWhatWasSeenAndMayStopWaiting) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    SupervisionTimes times;
    times.askAfterMs = 300;
    times.pauseMs = 50;

    // A start program that ends (exit code 2: no solver beside it) without a Fluent window.
    ASSERT_TRUE(::DeleteFileW(installation_.fluent.solver.c_str()));
    prompts_.answers = {IDYES, IDNO};
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::StaysOpen);
    const std::wstring ended = L"Fluent's start program ended with exit code 2, and no new "
                               L"Fluent window has appeared since the start.\nKeep waiting for "
                               L"Fluent?";
    EXPECT_EQ(MessageTexts(), (std::vector<std::wstring>{ended, ended}));
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(prompts_.messages[0].caption, L"Warning");
    EXPECT_EQ(state_.startedProcessId, 0u);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA), 0);
    EXPECT_TRUE(::IsWindowEnabled(launcher_.get()));

    // A start program still waiting for a window that is slow to come.
    ASSERT_TRUE(PlaceFakeProgram(fakes_, fake::SolverExeName, RunsInWin64Prefix(),
                                 installation_.fluent.solver));
    ASSERT_TRUE(windowDelay_.Set(L"20000"));
    prompts_.messages.clear();
    prompts_.answers = {IDNO};
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::StaysOpen);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::wstring>{L"Fluent's start program is still running, and no new "
                                        L"Fluent window has appeared since the start.\nKeep "
                                        L"waiting for Fluent?"});
    EXPECT_EQ(state_.startedProcessId, 0u);
}

TEST_F(Supervision, AStartThatFailsIsReportedAndEndsTheLauncher) {
    for (const bool workbench : {false, true}) {
        StartRequest request;
        request.program = cDrive_ / L"missing\\fluent.exe";
        request.commandLine = request.program;
        request.startByWorkbench = workbench;
        prompts_.messages.clear();
        EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_), LaunchStep::Closes);
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text,
                  workbench ? L"Can't start Workbench. Please make sure it is correctly installed "
                              L"or try starting with administrator rights."
                            : L"Can't start Fluent. Please make sure it is correctly installed or "
                              L"try starting with administrator rights.");
        EXPECT_EQ(prompts_.messages[0].caption, L"Error");
        EXPECT_EQ(state_.startedProcessId, 0u);
    }
}

TEST_F(Supervision, WorkbenchIsRecordedAtOnce) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    StartRequest request;
    request.program = installation_.fluent.workbench;
    request.commandLine = request.program;
    request.startByWorkbench = true;
    EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_), LaunchStep::Continue);
    ASSERT_NE(state_.startedProcessId, 0u);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA),
              static_cast<LONG_PTR>(state_.startedProcessId));
    const auto record = WaitForFakeRecord(records_.Path(), L"runwb2", state_.startedProcessId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::CommandLine), request.program);
}

} // namespace
} // namespace qv::test
