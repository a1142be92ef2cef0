// When the launcher may close, and how the close signal answers a question being shown.
#include "base/own_windows_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/supervision/closing_win.h"
#include "launch/startup_file/startup_file.h"
#include "resources/resource.h"
#include "texts/language.h"
#include "tests/win/fakes_fixture_win.h"

#include <atomic>
#include <deque>
#include <thread>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

class Closing : public FakesTest {
  protected:
    void SetUp() override {
        FakesTest::SetUp();
        SetInterfaceLanguage(InterfaceLanguage::English);
    }
    void TearDown() override {
        for (HANDLE process : started_) {
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
        }
        SetInterfaceLanguage(language_);
    }
    // The Workbench stand-in, alone, started by a launcher (it inherits the launcher's
    // variable) or not; it ends with the test at the latest.
    const ProcessHandles& StartWorkbench(bool launchers) {
        const std::wstring exe = cDrive_ / L"wb\\RunWB2.exe";
        EXPECT_TRUE(PlaceFakeProgram(fakes_, L"RunWB2.exe", RunsInWin64Prefix(), exe));
        StartOptions options;
        if (!launchers)
            options.environmentChanges = {std::wstring(fake::LauncherWindowVariable) + L"="};
        workbenches_.push_back(StartProgram(exe, L"\"" + exe + L"\"", options));
        started_.push_back(workbenches_.back().process.get());
        EXPECT_TRUE(WaitForFakeRecord(records_.Path(), L"runwb2", workbenches_.back().processId));
        return workbenches_.back();
    }
    std::wstring S() const { return home_ / L".fluent"; }
    std::wstring B() const { return home_ / L".fluent(Quorvex).backup"; }

    ScriptedPrompts prompts_;
    LaunchState state_;
    std::deque<ProcessHandles> workbenches_;
    std::vector<HANDLE> started_;

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

TEST_F(Closing, RefusedWithTheMessageWhileTheRecordedProcessRuns) {
    const ProcessHandles& workbench = StartWorkbench(true);
    state_.startedProcessId = workbench.processId;
    state_.startedProcess.reset(::OpenProcess(SYNCHRONIZE, FALSE, workbench.processId));
    ASSERT_TRUE(state_.startedProcess);
    EXPECT_FALSE(MayClose(state_, launcher_.get(), home_.Path()));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text,
              L"You can't close launcher when starting Fluent/Workbench\nIt will be auto closed "
              L"after Quorvex menu loaded in Fluent.");
    EXPECT_EQ(prompts_.messages[0].caption, L"Warning");
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(prompts_.messages[0].owner, launcher_.get());

    ::TerminateProcess(workbench.process.get(), 0);
    ASSERT_EQ(::WaitForSingleObject(workbench.process.get(), 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_EQ(prompts_.messages.size(), 1u);

    // Windows reuses the ids of ended processes: a live process (this one) with the recorded id
    // is not the one the launcher started.
    state_.startedProcessId = ::GetCurrentProcessId();
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_EQ(prompts_.messages.size(), 1u);
}

TEST_F(Closing, TheUsersStartupFileComesBackOnceNoLaunchersWorkbenchRuns) {
    const std::string user = "(user)";
    auto prepare = [&] {
        ASSERT_TRUE(WriteFileBytes(S(), FastLoadLine) && WriteFileBytes(B(), user));
    };
    // Not after a direct launch.
    ASSERT_NO_FATAL_FAILURE(prepare());
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_EQ(ReadFileBytes(S()), std::string(FastLoadLine));

    // Not while a launcher's Workbench runs (also one that cannot be read).
    state_.workbenchLaunched = true;
    const ProcessHandles& workbench = StartWorkbench(true);
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_EQ(ReadFileBytes(S()), std::string(FastLoadLine));
    EXPECT_EQ(ReadFileBytes(B()), user);
    ::TerminateProcess(workbench.process.get(), 0);
    ASSERT_EQ(::WaitForSingleObject(workbench.process.get(), 5000), WAIT_OBJECT_0);

    // Once it has gone.
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_EQ(ReadFileBytes(S()), user);
    EXPECT_FALSE(IsFile(B()));
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(Closing, AWorkbenchStartedElsewhereDoesNotKeepTheLaunchersLineOnWindows32) {
    // Readable only on 32-bit Windows; on 64-bit every Workbench counts.
    state_.workbenchLaunched = true;
    ASSERT_TRUE(WriteFileBytes(S(), FastLoadLine));
    StartWorkbench(false);
    EXPECT_TRUE(MayClose(state_, launcher_.get(), home_.Path()));
    EXPECT_FALSE(IsFile(S()));
}

// The question a close signal finds, answered from inside the question's own loop.
HWND closeFor = nullptr;
void CALLBACK CloseFromTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    CloseShownQuestion(closeFor);
}

TEST_F(Closing, TheCloseSignalAnswersAQuestionWithItsFirstCancellingButton) {
    const std::vector<std::pair<UINT, int>> questions{
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDCANCEL},
        {MB_YESNO, IDNO},
        {MB_YESNOCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE, IDABORT},
        {MB_RETRYCANCEL, IDCANCEL},
    };
    closeFor = launcher_.get();
    for (const auto& [style, answer] : questions) {
        ::SetTimer(nullptr, 0, 100, &CloseFromTimer);
        EXPECT_EQ(::MessageBoxW(launcher_.get(), L"question", L"test", style), answer) << style;
    }
}

void CALLBACK AnswerOkAsTheUser(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (HWND box = FirstVisibleDialogOfThread(::GetCurrentThreadId()))
        ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

// The log tells who answered a question: the user, or the close signal that closed it.
TEST_F(Closing, AQuestionTheSignalClosedIsLoggedAsAnsweredByTheSignal) {
    SetPrompts(nullptr); // the system's own message boxes
    closeFor = launcher_.get();
    for (const bool bySignal : {false, true}) {
        SCOPED_TRACE(bySignal ? "the signal" : "the user");
        ClearLaunchLog();
        ::SetTimer(nullptr, 0, 100, bySignal ? &CloseFromTimer : &AnswerOkAsTheUser);
        const int answer =
            Prompts().ShowMessage(launcher_.get(), L"question", L"Warning", MB_OKCANCEL);
        EXPECT_EQ(answer, bySignal ? IDCANCEL : IDOK);
        const std::wstring log = ReadLaunchLog();
        EXPECT_TRUE(Contains(log, bySignal ? L"answer to unkeyed: Cancel, given by the add-on's "
                                             L"close signal, not the user"
                                           : L"answer to unkeyed: OK\r\n"))
            << log;
        if (!bySignal) {
            EXPECT_FALSE(Contains(log, L"close signal"));
        }
    }
    SetPrompts(&prompts_);
}

INT_PTR CALLBACK PassiveDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A dialog of another thread (the update dialog shows on the update check's) that notes the
// commands it gets.
std::atomic<int> otherDialogCommands{0};
INT_PTR CALLBACK NotingDialog(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_COMMAND) ++otherDialogCommands;
    return FALSE;
}

struct QuestionUnderAnotherThreadsDialog {
    HWND mainDialog = nullptr;
    std::atomic<HWND> other{nullptr};
    HWND firstInFront = nullptr; // the front dialog of the process when the signal came
    int answer = 0;
};
QuestionUnderAnotherThreadsDialog scene;

void CALLBACK SignalFromTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    // The other thread's dialog comes above the question, as the update dialog may.
    ::SetWindowPos(scene.other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    scene.firstInFront = FirstVisibleOwnDialog();
    CloseShownQuestion(scene.mainDialog);
}

void CALLBACK AnswerYesAtLast(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    // Were the question still there, the user would have said Yes.
    if (HWND box = FirstVisibleDialogOfThread(::GetCurrentThreadId()))
        ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, 0), 0);
}

TEST_F(Closing, TheSignalClosesTheLaunchsOwnQuestionWhateverAnotherThreadShowsAboveIt) {
    otherDialogCommands = 0;
    std::atomic<bool> done{false};
    std::thread updateThread([&] {
        HWND dialog =
            ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_WORKBENCH_TIP),
                                 nullptr, &NotingDialog, 0);
        ::ShowWindow(dialog, SW_SHOWNOACTIVATE);
        scene.other = dialog;
        while (!done) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            ::Sleep(5);
        }
        ::DestroyWindow(dialog);
    });
    ASSERT_TRUE(WaitUntil([] { return scene.other.load() != nullptr; }, 5s));
    scene.mainDialog = launcher_.get();
    ::SetTimer(nullptr, 0, 200, &SignalFromTimer);
    ::SetTimer(nullptr, 0, 5000, &AnswerYesAtLast);
    scene.answer = ::MessageBoxW(launcher_.get(), L"question", L"test", MB_YESNO);
    done = true;
    updateThread.join();

    ASSERT_EQ(scene.firstInFront, scene.other.load()) << "the other dialog was not in front";
    EXPECT_EQ(scene.answer, IDNO);
    EXPECT_EQ(otherDialogCommands, 0);
}

TEST_F(Closing, TheMainDialogItselfIsNeverClosedByTheSignal) {
    HWND dialog =
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_WORKBENCH_TIP),
                             nullptr, &PassiveDialog, 0);
    ASSERT_TRUE(dialog);
    UniqueWindow owned(dialog);
    ::ShowWindow(dialog, SW_SHOW);
    CloseShownQuestion(dialog);
    EXPECT_TRUE(::IsWindow(dialog));
    EXPECT_TRUE(::IsWindowVisible(dialog));
}

} // namespace
} // namespace qv::test
