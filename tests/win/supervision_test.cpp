// Starting Fluent and waiting for its new main window without freezing the dialog, the question
// after a long wait, failed starts, and Workbench recorded at once.
#include "base/environment_win.h"
#include "base/text.h"
#include "launch/supervision/fluent_process.h"
#include "base/message_wait_win.h"
#include "launch/supervision/supervision_win.h"
#include "tests/win/launch_fixture_win.h"

#include <atomic>
#include <thread>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

int CountOf(const std::wstring& text, const std::wstring& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The pointer this thread shows once the user has moved it over the window: the system asks the
// window under it at each move.
HCURSOR PointerAfterAMoveOver(HWND window) {
    static int moves = 0;
    RECT area{};
    ::GetWindowRect(window, &area);
    const int step = (++moves % 2) * 10;
    ::SetCursorPos((area.left + area.right) / 2 + step, (area.top + area.bottom) / 2 + step);
    (void)WaitHandlingMessages(nullptr, 300);
    return ::GetCursor();
}

class Supervision : public LaunchTest {
  protected:
    StartRequest DirectStart() const {
        StartRequest request;
        request.program = installation_.fluent.startProgram;
        request.commandLine =
            Quoted(request.program) + L" 3d -t1 -i \"" + installation_.product.loaderScm + L"\"";
        request.version = 25.2;
        request.productFolder = installation_.product.folder;
        return request;
    }
    // Parallel Fluent 12, whose add-on is loaded through its console.
    StartRequest ParallelFluent12Start() const {
        StartRequest request;
        request.program = installation_.fluent.startProgram;
        request.commandLine = Quoted(request.program) + L" 3d -t2";
        request.version = 12.1;
        request.productFolder = installation_.product.folder;
        request.options.processingMode = ProcessingMode::Parallel;
        request.options.processCount = 2;
        return request;
    }
    ScopedVariable windowDelay_{fake::WindowDelayVariable};
};

TEST_F(Supervision, RecordsTheNewFluentWhileTheDialogAnswersAndOnlyItsStopControlTakesInput) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    // A Fluent that ran before: never the one recorded.
    const auto& solverExe = installation_.fluent.solver;
    ASSERT_TRUE(Start(solverExe, L"\"" + solverExe + L"\" 3d").process);
    const SolverFound before = FindSolver();
    ASSERT_NE(before.processId, 0u);
    // The new one takes a while to show its window: the launcher waits meanwhile.
    ASSERT_TRUE(windowDelay_.Set(L"1500"));
    // The dialog's controls: one that starts things, and the one that may stop the wait.
    HWND ok = ::CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50,
                                20, launcher_.get(), reinterpret_cast<HMENU>(1), nullptr, nullptr);
    HWND cancel =
        ::CreateWindowExW(0, L"Button", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 0, 50,
                          20, launcher_.get(), reinterpret_cast<HMENU>(1010), nullptr, nullptr);
    ASSERT_TRUE(ok && cancel);

    std::atomic<bool> supervising{true};
    std::atomic<int> answeredDuringWait{-1};
    std::atomic<int> enabledDuringWait{-1}; // the dialog, its OK and its stop control, as bits
    std::thread asker([&] {
        // Once the new solver runs beside the one from before (its window not shown yet, its start
        // program waiting for it), ask the dialog something.
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (ProgramsRunningBelow(cDrive_.Path()) < 3 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(10ms);
        enabledDuringWait = (::IsWindowEnabled(launcher_.get()) ? 1 : 0) |
                            (::IsWindowEnabled(ok) ? 2 : 0) | (::IsWindowEnabled(cancel) ? 4 : 0);
        // Bounded, so that a dialog that does not answer fails the test instead of hanging it.
        DWORD_PTR result = 0;
        answeredDuringWait = ::SendMessageTimeoutW(launcher_.get(), WM_GETTEXTLENGTH, 0, 0,
                                                   SMTO_NORMAL, 20000, &result) &&
                                     supervising
                                 ? 1
                                 : 0;
    });
    StartRequest request = DirectStart();
    request.stopControl = cancel;
    const LaunchStep step = StartAndSupervise(request, launcher_.get(), state_);
    supervising = false;
    asker.join();

    EXPECT_EQ(step, LaunchStep::Continue);
    EXPECT_EQ(answeredDuringWait, 1) << "the dialog answered only after the wait";
    EXPECT_EQ(enabledDuringWait, 1 | 4) << "the dialog and its stop control alone take input";
    EXPECT_TRUE(::IsWindowEnabled(ok));
    EXPECT_TRUE(::IsWindowEnabled(cancel));
    ASSERT_NE(state_.startedProcessId, 0u);
    EXPECT_NE(state_.startedProcessId, before.processId);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA),
              static_cast<LONG_PTR>(state_.startedProcessId));
    const auto record = SolverRecord(state_.startedProcessId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::UserDataCheck), fake::Pass);
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_FALSE(state_.waitingForFluent);
}

// Two launchers on one machine: the Fluent window of another launcher's start shows first. It is
// passed over for the one this launch's start program started.
TEST_F(Supervision, TheFluentThisStartStartedIsRecordedNotAnotherNewOneThatShowedFirst) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    ASSERT_TRUE(windowDelay_.Set(L"3000"));
    ProcessHandles other;
    std::thread otherLauncher([&] {
        // Soon after this start (its start program and solver run), without a delay of its
        // window.
        while (ProgramsRunningBelow(cDrive_.Path()) < 2)
            std::this_thread::sleep_for(10ms);
        const auto& exe = installation_.fluent.solver;
        StartOptions options;
        options.environmentChanges = {std::wstring(fake::WindowDelayVariable) + L"=0"};
        other = StartProgram(exe, L"\"" + exe + L"\" 3d", options);
    });
    ClearLaunchLog();
    const LaunchStep step = StartAndSupervise(DirectStart(), launcher_.get(), state_);
    otherLauncher.join();
    ASSERT_TRUE(other.process);
    UniqueHandle end(::OpenProcess(PROCESS_TERMINATE, FALSE, other.processId));

    EXPECT_EQ(step, LaunchStep::Continue);
    const auto starts = ReadFakeRecords(records_.Path(), L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    const std::wstring own = starts[0].Value(fake::key::StartedProcessId);
    EXPECT_EQ(std::to_wstring(state_.startedProcessId), own);
    EXPECT_NE(state_.startedProcessId, other.processId);
    const std::wstring log = ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"Fluent process " + std::to_wstring(other.processId) +
                                  L" is new but not started by this launch's start program"))
        << log;
    EXPECT_TRUE(Contains(log, L"started by this launch's start program")) << log;
    if (end) ::TerminateProcess(end.get(), 0);
}

// A start program that ends at once with an error code and starts nothing (a licence failure has
// this shape): the wait ends after a short grace with a message naming the program and its code.
// A Fluent window that another launcher's start shows within the grace is not this one's: the
// message comes all the same, and the other Fluent is left to its own launcher.
TEST_F(Supervision, AStartProgramThatFailsAtOnceEndsTheWaitWithItsExitCode) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    ScopedVariable fails(fake::StartFailsVariable);
    ASSERT_TRUE(fails.Set(L"1"));
    SupervisionTimes times;
    times.askAfterMs = 30000; // any question would be one too many
    times.pauseMs = 50;
    times.failedStartGraceMs = 3000;
    ClearLaunchLog();
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::StaysOpen);
    EXPECT_EQ(MessageTexts(), std::vector<std::wstring>{
                                  L"Fluent's start program \"" + installation_.fluent.startProgram +
                                  L"\" ended with exit code 1, and no Fluent window has "
                                  L"appeared.\nPlease make sure Fluent is correctly "
                                  L"installed and licensed, then try again."});
    ASSERT_FALSE(prompts_.messages.empty());
    EXPECT_EQ(prompts_.messages[0].caption, L"Error");
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(state_.startedProcessId, 0u);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA), 0);
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"Fluent's start program ended with exit code 1"));

    // Another launcher's Fluent window within the grace.
    prompts_.messages.clear();
    ClearLaunchLog();
    DWORD other = 0;
    std::thread late([&] {
        std::this_thread::sleep_for(100ms);
        const auto& exe = installation_.fluent.solver;
        other = Start(exe, L"\"" + exe + L"\" 3d").processId;
    });
    const LaunchStep step = StartAndSupervise(DirectStart(), launcher_.get(), state_, times);
    late.join();
    EXPECT_EQ(step, LaunchStep::StaysOpen);
    EXPECT_EQ(state_.startedProcessId, 0u);
    EXPECT_EQ(prompts_.messages.size(), 1u);
    ASSERT_NE(other, 0u);
    const std::wstring log = ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"Fluent process " + std::to_wstring(other) +
                                  L" is new but not started by this launch's start program"))
        << log;
}

// A start program that fails but leaves a helper of its own running (no Fluent) is judged by
// Fluent's processes: the message comes after the grace, not after the limit's question.
TEST_F(Supervision, AFailedStartIsNotHiddenByAHelperItLeftRunning) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    ScopedVariable fails(fake::StartFailsVariable), helper(fake::StartHelperVariable),
        helperLife(fake::RecorderLifetimeVariable);
    const std::wstring helperExe = fakes_.Runnable() + L"\\browser.exe";
    ASSERT_TRUE(fails.Set(L"3") && helper.Set(helperExe) && helperLife.Set(L"30000"));
    SupervisionTimes times;
    times.askAfterMs = 60000; // any question would be one too many
    times.pauseMs = 50;
    times.failedStartGraceMs = 1000;
    ClearLaunchLog();
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::StaysOpen);
    const auto starts = ReadFakeRecords(records_.Path(), L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Value(fake::key::Started), helperExe) << "the helper did not run";
    EXPECT_FALSE(ReadFakeRecords(records_.Path(), L"browser").empty());
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(StartsWith(prompts_.messages[0].text, L"Fluent's start program \""));
    EXPECT_EQ(state_.startedProcessId, 0u);
    EndProgramsBelow(fakes_.Runnable());
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

// While a direct start keeps the user waiting the launcher shows it is at work: the app-starting
// pointer over the dialog, and an endless progress on its taskbar button (Wine's taskbar shows
// none and takes every state, so the log, which names only a refused state, says nothing of it).
// Both end with the wait, however it ends; a failed start ends them before its message.
TEST_F(Supervision, ShowsItIsAtWorkUntilTheWaitEndsHoweverItEnds) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    HWND window = launcher_.get();
    ASSERT_TRUE(::SetWindowPos(window, HWND_TOPMOST, 150, 150, 300, 200, SWP_SHOWWINDOW));
    launcher_.onSignal = [&] { state_.closeSignalled = true; };
    const HCURSOR appStarting = ::LoadCursorW(nullptr, IDC_APPSTARTING);
    struct Case {
        const char* name;
        const wchar_t* windowDelay;
        int answer;   // to the first question
        bool signals; // while the first question is shown
        bool startFails;
        LaunchStep step;
    };
    const std::vector<Case> cases{
        {"recorded", L"1500", IDYES, false, false, LaunchStep::Continue},
        {"the close signal", L"30000", IDYES, true, false, LaunchStep::Continue},
        {"the user stops waiting", L"30000", IDNO, false, false, LaunchStep::StaysOpen},
        {"the start fails", L"0", IDOK, false, true, LaunchStep::Closes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_ = LaunchState{};
        ClearLaunchLog();
        ASSERT_TRUE(windowDelay_.Set(c.windowDelay));
        ASSERT_NE(PointerAfterAMoveOver(window), appStarting) << "busy before the start";
        prompts_.messages.clear();
        prompts_.answers = std::deque<int>(20, IDYES);
        prompts_.answers[0] = c.answer;
        HCURSOR pointerAtQuestion = nullptr;
        prompts_.whileShown = [&] {
            if (prompts_.messages.size() > 1) return;
            pointerAtQuestion = PointerAfterAMoveOver(window);
            if (c.signals)
                ::SendMessageW(window, fake::CloseSignal, reinterpret_cast<WPARAM>(window), 0);
        };
        StartRequest request = DirectStart();
        if (c.startFails) request.program = cDrive_ / L"missing\\fluent.exe";
        SupervisionTimes times;
        times.askAfterMs = 500;
        times.pauseMs = 50;

        EXPECT_EQ(StartAndSupervise(request, window, state_, times), c.step);
        ASSERT_FALSE(prompts_.messages.empty());
        EXPECT_EQ(pointerAtQuestion == appStarting, !c.startFails);
        EXPECT_NE(PointerAfterAMoveOver(window), appStarting);
        // The log has this launch's lines, and none of a taskbar state that was taken.
        const std::wstring log = ReadLaunchLog();
        EXPECT_EQ(CountOf(log, c.startFails ? L"which failed to start" : L"started (process "), 1)
            << log;
        EXPECT_EQ(CountOf(log, L"taskbar progress"), 0) << log;
        prompts_.whileShown = nullptr;
        EndStartedPrograms();
    }
}

TEST_F(Supervision, AStartThatFailsIsReportedAndEndsTheLauncher) {
    for (const bool workbench : {false, true}) {
        StartRequest request;
        request.program = cDrive_ / L"missing\\fluent.exe";
        request.commandLine = request.program;
        request.startByWorkbench = workbench;
        prompts_.messages.clear();
        ClearLaunchLog();
        EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_), LaunchStep::Closes);
        // Each line names what it is about, and the failed start does not begin as a run does.
        const std::wstring log = ReadLaunchLog();
        EXPECT_EQ(CountOf(log, L"] error   start the program: " + request.program + L": error "), 1)
            << log;
        EXPECT_EQ(CountOf(log, (workbench ? L"] error   Workbench's program "
                                          : L"] error   Fluent's start program ") +
                                   request.program +
                                   L", which failed to start: the path is missing (error "),
                  1)
            << log;
        EXPECT_EQ(CountOf(log, L"] error   start:"), 0) << log;
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

// The add-on's module may signal before the launcher has recorded its Fluent: the signal ends the
// wait at once, whatever the wait is doing, with nothing recorded.
TEST_F(Supervision, TheCloseSignalEndsTheWaitWhateverItIsDoing) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    launcher_.onSignal = [&] { state_.closeSignalled = true; };
    ScopedVariable signalFirst(fake::SignalFirstVariable), windowClass(fake::WindowClassVariable);
    struct Case {
        const char* name;
        const wchar_t* windowClass;
        const wchar_t* windowDelay;
        bool signalsFirst; // else while the question after the limit is shown
        DWORD askAfterMs;
    };
    const std::vector<Case> cases{
        {"a main window the search does not know", L"UnknownFrame", L"0", true, 60000},
        {"the start program still runs", L"", L"30000", true, 60000},
        {"the question is on the screen", L"UnknownFrame", L"0", false, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_ = LaunchState{};
        ClearLaunchLog();
        ASSERT_TRUE(c.windowClass[0] ? windowClass.Set(c.windowClass) : windowClass.Remove());
        ASSERT_TRUE(windowDelay_.Set(c.windowDelay));
        ASSERT_TRUE(c.signalsFirst ? signalFirst.Set(L"1") : signalFirst.Remove());
        prompts_.messages.clear();
        // Were the wait to go on, the user would keep waiting.
        prompts_.answers = {IDYES, IDNO};
        prompts_.whileShown = [&] {
            if (!c.signalsFirst)
                ::SendMessageW(launcher_.get(), fake::CloseSignal,
                               reinterpret_cast<WPARAM>(launcher_.get()), 0);
        };
        SupervisionTimes times;
        times.askAfterMs = c.askAfterMs;
        times.pauseMs = 50;

        EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
                  LaunchStep::Continue);
        EXPECT_EQ(state_.startedProcessId, 0u);
        EXPECT_EQ(prompts_.messages.size(), c.signalsFirst ? 0u : 1u);
        EXPECT_TRUE(::IsWindowEnabled(launcher_.get()));
        EXPECT_TRUE(Contains(ReadLaunchLog(), L"no Fluent process was recorded"));
        prompts_.whileShown = nullptr;
        EndStartedPrograms();
    }
    // The control: without a signal the same unknown window keeps the launcher waiting, until
    // the user stops it.
    state_ = LaunchState{};
    ASSERT_TRUE(windowClass.Set(L"UnknownFrame") && signalFirst.Remove() && windowDelay_.Set(L"0"));
    prompts_.messages.clear();
    prompts_.answers = {IDNO};
    SupervisionTimes times;
    times.askAfterMs = 1500;
    times.pauseMs = 50;
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::StaysOpen);
    EXPECT_EQ(prompts_.messages.size(), 1u);
}

// The signal ends the wait as soon as it has been handled, not when the pause it came in runs
// out: here before Fluent's window has even shown.
TEST_F(Supervision, TheSignalEndsTheWaitAsSoonAsItIsHandled) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    launcher_.onSignal = [&] { state_.closeSignalled = true; };
    ScopedVariable signalFirst(fake::SignalFirstVariable);
    ASSERT_TRUE(signalFirst.Set(L"1") && windowDelay_.Set(L"6000"));
    SupervisionTimes times;
    times.askAfterMs = 60000;
    times.pauseMs = 30000;
    EXPECT_EQ(StartAndSupervise(DirectStart(), launcher_.get(), state_, times),
              LaunchStep::Continue);
    EXPECT_EQ(launcher_.Signals().size(), 1u);
    // The start program still waits, with its solver, for the window the launcher no longer needs.
    EXPECT_EQ(ProgramsRunningBelow(cDrive_.Path()), 2);
    EXPECT_EQ(state_.startedProcessId, 0u);
}

// Fluent 12's console wait ends when the recorded Fluent ends, with its exit code in the log and
// no question; at the limit the question says what the launcher has seen.
TEST_F(Supervision, TheConsoleWaitEndsWithFluentAndItsQuestionSaysWhatWasSeen) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable(L"fluent12.1.2", L"12.1"));
    const StartRequest request = ParallelFluent12Start();
    SupervisionTimes times;
    times.pauseMs = 50;

    // A Fluent 12 without a console that ends a moment after its window showed.
    ASSERT_TRUE(lifetime_.Set(L"1500"));
    times.askAfterMs = 8000;
    prompts_.answers = {IDNO};
    ClearLaunchLog();
    EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_, times), LaunchStep::Continue);
    EXPECT_NE(state_.startedProcessId, 0u);
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_TRUE(Contains(ReadLaunchLog(), L") ended with exit code 0 before its console appeared"))
        << ReadLaunchLog();

    // One that runs on without a console. The limit comes soon, also in the wait for its window,
    // where the user keeps waiting; in the wait for its console the user stops.
    ASSERT_TRUE(lifetime_.Set(L"30000"));
    times.askAfterMs = 500;
    state_ = LaunchState{};
    const std::wstring consoleQuestion =
        L"Fluent is running, but its console has not appeared since its window showed, so the "
        L"Quorvex load command cannot be entered yet.\nKeep waiting for Fluent's console?";
    // A launcher that never asked about the console would be asked again and again: a bound.
    prompts_.whileShown = [&] {
        const bool stop =
            prompts_.messages.back().text == consoleQuestion || prompts_.messages.size() > 20;
        prompts_.answers = {stop ? IDNO : IDYES};
    };
    EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_, times), LaunchStep::Continue);
    // The add-on cannot load without its command: nothing is left recorded to keep the launcher
    // from being closed.
    EXPECT_EQ(state_.startedProcessId, 0u);
    EXPECT_FALSE(state_.startedProcess);
    EXPECT_EQ(::GetWindowLongPtrW(launcher_.get(), GWLP_USERDATA), 0);
    EXPECT_TRUE(Contains(ReadLaunchLog(), L") is no longer recorded: the launcher may be closed"));
    ASSERT_FALSE(prompts_.messages.empty());
    EXPECT_EQ(prompts_.messages.back().text, consoleQuestion);
    for (std::size_t i = 0; i + 1 < prompts_.messages.size(); ++i)
        EXPECT_TRUE(StartsWith(prompts_.messages[i].text, L"Fluent's start program"));
    prompts_.whileShown = nullptr;
}

// Fluent 12's console may show a while after its main window; only that process's console gets
// the add-on's load command.
TEST_F(Supervision, AConsoleThatShowsLateStillGetsTheLoadCommand) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable(L"fluent12.1.2", L"12.1"));
    ScopedVariable console(fake::ConsoleVariable), consoleDelay(fake::ConsoleDelayVariable);
    ASSERT_TRUE(console.Set(L"1") && consoleDelay.Set(L"1500"));
    const StartRequest request = ParallelFluent12Start();

    EXPECT_EQ(StartAndSupervise(request, launcher_.get(), state_), LaunchStep::Continue);
    ASSERT_NE(state_.startedProcessId, 0u);
    const auto record = SolverRecord(state_.startedProcessId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::ConsoleText),
              ConsoleLoadCommand(installation_.product.folder));
    EXPECT_EQ(record->Value(fake::key::LoaderCheck), fake::Pass);
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"load command pasted into Fluent's console"));
}

// The add-on's signal while the launcher still waits for Fluent 12's console ends that wait: the
// add-on has loaded, and the log says so instead of a console that was not found.
TEST_F(Supervision, ASignalBeforeFluent12sConsoleShowsIsLoggedAsTheSignal) {
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable(L"fluent12.1.2", L"12.1"));
    launcher_.onSignal = [&] { state_.closeSignalled = true; };
    ScopedVariable console(fake::ConsoleVariable), consoleDelay(fake::ConsoleDelayVariable);
    ASSERT_TRUE(console.Set(L"1") && consoleDelay.Set(L"30000"));
    const StartRequest request = ParallelFluent12Start();
    ClearLaunchLog();
    // The module's signal, once the launcher has recorded its Fluent in the window.
    HWND window = launcher_.get();
    std::thread module([window] {
        WaitUntil([&] { return ::GetWindowLongPtrW(window, GWLP_USERDATA) != 0; }, 60s);
        ::SendMessageW(window, fake::CloseSignal, reinterpret_cast<WPARAM>(window), 0);
    });
    SupervisionTimes times;
    times.pauseMs = 50;
    const LaunchStep step = StartAndSupervise(request, window, state_, times);
    module.join();
    EXPECT_EQ(step, LaunchStep::Continue);
    EXPECT_NE(state_.startedProcessId, 0u);
    const std::wstring log = ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"close signal before Fluent 12's console was found")) << log;
    EXPECT_FALSE(Contains(log, L"console was not found")) << log;
    EndStartedPrograms();
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
