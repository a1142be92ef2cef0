// The main dialog's part in a launch, run in this process: a close signal that comes while OK is
// still waiting for Fluent's window ends the dialog at once, before the wait has even unwound:
// the add-on has loaded, there is nothing left to wait for; Cancel, Esc and the close box ask
// whether to stop waiting.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/win/launch_fixture_win.h"
#include "ui/launcher_dlg_win.h"

#include <commctrl.h>

#include <thread>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

// The dialog's user data and the launch log at the moment its window goes.
LONG_PTR userDataAtDestroy = -1;
std::wstring logAtDestroy;
WNDPROC dialogProcedure = nullptr;
LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        userDataAtDestroy = ::GetWindowLongPtrW(window, GWLP_USERDATA);
        logAtDestroy = ReadLaunchLog();
    }
    return ::CallWindowProcW(dialogProcedure, window, message, wParam, lParam);
}

class LauncherDialogLaunch : public LaunchTest {
  protected:
    // Fluent 2025 R2 and Visual Studio 2019 where the dialog's discovery finds them.
    void LayOutForTheDialog() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
        ASSERT_TRUE(LayOutVisualStudio2019(fakes_, visualStudio_, RunsInWin64Prefix()).complete);
        ASSERT_TRUE(settings_.SetString(L"FluentPathsUsed", installation_.fluent.fluentFolder));
    }
    const std::wstring visualStudio_ =
        (RunsInWin64Prefix() ? std::wstring(L"C:\\Program Files (x86)")
                             : std::wstring(L"C:\\Program Files")) +
        L"\\Microsoft Visual Studio\\2019\\Community";
    RemoveOnExit cleanup_{{visualStudio_}};
};

TEST_F(LauncherDialogLaunch, ASignalDuringTheWaitEndsTheDialogBeforeTheWaitUnwinds) {
    ASSERT_NO_FATAL_FAILURE(LayOutForTheDialog());
    // The module signals before its window shows: while the launcher still waits for it.
    ScopedVariable first(fake::SignalFirstVariable), delay(fake::WindowDelayVariable);
    ASSERT_TRUE(first.Set(L"1") && delay.Set(L"5000"));
    ClearLaunchLog();

    Modeless<CLauncherDlg> dialog;
    ASSERT_TRUE(dialog.Open());
    ASSERT_TRUE(
        launcherVariable_.Set(std::to_wstring(reinterpret_cast<ULONG_PTR>(dialog.Window()))));
    dialogProcedure = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        dialog.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDestroy)));
    userDataAtDestroy = -1;
    ::SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dialog.Item(IDOK)));

    EXPECT_EQ(dialog.Window(), nullptr) << "the signal was lost";
    std::vector<FakeRecord> solvers;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(solvers = ReadFakeRecords(records_.Path(), L"fl2520s")).empty(); }, 30s));
    ASSERT_EQ(solvers.size(), 1u);
    EXPECT_EQ(solvers[0].Value(fake::key::FirstSignal), L"sent");
    EXPECT_EQ(userDataAtDestroy, 0) << "nothing is recorded without a window";
    EXPECT_TRUE(prompts_.messages.empty());
    // The window went at the signal, before the wait ended and let go of what it held.
    const std::wstring waitEnded =
        L"close signal while waiting for Fluent: no Fluent process was recorded";
    EXPECT_TRUE(Contains(logAtDestroy, L"close signal: the add-on's menu is loaded"))
        << logAtDestroy;
    EXPECT_FALSE(Contains(logAtDestroy, waitEnded)) << logAtDestroy;
    EXPECT_TRUE(Contains(ReadLaunchLog(), waitEnded));
}

// The modal dialog, as the launcher runs it: OK is pressed from inside its own loop.
CLauncherDlg* modalDialog = nullptr;
ScopedVariable* modalVariable = nullptr;
void CALLBACK PressOkOnceOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!modalDialog->Window()) return;
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(
        modalVariable->Set(std::to_wstring(reinterpret_cast<ULONG_PTR>(modalDialog->Window()))));
    ::PostMessageW(modalDialog->Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(modalDialog->Item(IDOK)));
}

// Run modally, as the launcher runs it, the dialog ends on a signal that comes during the wait:
// its window is hidden at once and the modal loop returns once the wait has unwound.
TEST_F(LauncherDialogLaunch, RunModallyASignalDuringTheWaitEndsTheDialog) {
    ASSERT_NO_FATAL_FAILURE(LayOutForTheDialog());
    ScopedVariable first(fake::SignalFirstVariable), delay(fake::WindowDelayVariable);
    ASSERT_TRUE(first.Set(L"1") && delay.Set(L"5000"));
    ClearLaunchLog();

    CLauncherDlg dialog;
    modalDialog = &dialog;
    modalVariable = &launcherVariable_;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &PressOkOnceOpen);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(dialog.RunModal(), IDCANCEL);
    EXPECT_EQ(dialog.Window(), nullptr);
    std::vector<FakeRecord> solvers;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(solvers = ReadFakeRecords(records_.Path(), L"fl2520s")).empty(); }, 30s));
    EXPECT_EQ(solvers[0].Value(fake::key::FirstSignal), L"sent");
    const std::wstring log = ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"close signal: the add-on's menu is loaded")) << log;
    EXPECT_TRUE(
        Contains(log, L"close signal while waiting for Fluent: no Fluent process was recorded"))
        << log;
    EXPECT_TRUE(prompts_.messages.empty());
}

// While OK waits for Fluent, its stop control, the close box and Esc each ask whether to stop
// waiting: Yes ends the wait with nothing recorded and the dialog back, the started programs
// running on; No lets the wait find Fluent.
TEST_F(LauncherDialogLaunch, CancelEscAndTheCloseBoxOfferToStopWaiting) {
    ASSERT_NO_FATAL_FAILURE(LayOutForTheDialog());
    // The module never signals here: the dialog stays for the checks after the wait.
    ScopedVariable delay(fake::WindowDelayVariable), gate(fake::SignalGateVariable);
    ASSERT_TRUE(delay.Set(L"4000") && gate.Set(records_ / L"never"));
    struct Case {
        const char* name;
        UINT message; // posted to the dialog, or to its focused control for a key
        WPARAM wParam;
        int answer;
    };
    const std::vector<Case> cases{
        {"Cancel", WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), IDYES},
        {"the close box", WM_CLOSE, 0, IDYES},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, IDYES},
        {"Cancel, then No", WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), IDNO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EndStartedPrograms();
        prompts_.messages.clear();
        prompts_.answers = {c.answer};
        Modeless<CLauncherDlg> dialog;
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(
            launcherVariable_.Set(std::to_wstring(reinterpret_cast<ULONG_PTR>(dialog.Window()))));
        HWND window = dialog.Window();
        std::thread user([&] {
            // Once the launch waits for its Fluent window.
            const auto end = std::chrono::steady_clock::now() + 20s;
            while (ProgramsRunningBelow(cDrive_.Path()) < 2 &&
                   std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(10ms);
            GUITHREADINFO gui{sizeof(gui)};
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);
            ::PostMessageW(c.message == WM_KEYDOWN && gui.hwndFocus ? gui.hwndFocus : window,
                           c.message, c.wParam, 0);
        });
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
        user.join();

        ASSERT_EQ(dialog.Window(), window) << "the dialog ended";
        ASSERT_EQ(MessageTexts(), std::vector<std::wstring>{L"The launcher is waiting for Fluent "
                                                            L"to start.\nStop waiting? Fluent "
                                                            L"and its start program are left "
                                                            L"running."});
        EXPECT_EQ(prompts_.messages[0].owner, window);
        EXPECT_EQ(prompts_.messages[0].style,
                  static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
        const LONG_PTR recorded = ::GetWindowLongPtrW(window, GWLP_USERDATA);
        if (c.answer == IDYES) {
            EXPECT_EQ(recorded, 0);
            EXPECT_EQ(ProgramsRunningBelow(cDrive_.Path()), 2) << "Fluent and its start program";
        } else {
            EXPECT_NE(recorded, 0);
        }
        EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDOK)));
    }
}

TEST_F(LauncherDialogLaunch, ACloseSignalNamingAnotherWindowIsIgnored) {
    Modeless<CLauncherDlg> dialog;
    ASSERT_TRUE(dialog.Open());
    ::SendMessageW(dialog.Window(), 1623, reinterpret_cast<WPARAM>(launcher_.get()), 0);
    EXPECT_NE(dialog.Window(), nullptr);
    // Positive control: its own handle ends it.
    ::SendMessageW(dialog.Window(), 1623, reinterpret_cast<WPARAM>(dialog.Window()), 0);
    EXPECT_EQ(dialog.Window(), nullptr);
}

} // namespace
} // namespace qv::test
