// The main dialog's part in a launch, run in this process: a close signal that comes while OK is
// still waiting for Fluent's window ends the wait and the dialog at once: the add-on has loaded,
// there is nothing left to wait for.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/win/launch_fixture_win.h"
#include "ui/launcher_dlg_win.h"

#include <commctrl.h>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

// The dialog's user data at the moment its window goes.
LONG_PTR userDataAtDestroy = -1;
WNDPROC dialogProcedure = nullptr;
LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) userDataAtDestroy = ::GetWindowLongPtrW(window, GWLP_USERDATA);
    return ::CallWindowProcW(dialogProcedure, window, message, wParam, lParam);
}

class LauncherDialogLaunch : public LaunchTest {};

TEST_F(LauncherDialogLaunch, ASignalDuringTheWaitEndsTheDialogAtOnce) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ASSERT_NO_FATAL_FAILURE(LayOutLaunchable());
    const std::wstring programs32 =
        RunsInWin64Prefix() ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    const std::wstring vs = programs32 + L"\\Microsoft Visual Studio\\2019\\Community";
    RemoveOnExit cleanup{{vs}};
    ASSERT_TRUE(LayOutVisualStudio2019(fakes_, vs, RunsInWin64Prefix()).complete);
    ASSERT_TRUE(settings_.SetString(L"FluentPathsUsed", installation_.fluent.fluentFolder));
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
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"close signal while waiting for Fluent: no Fluent "
                                          L"process was recorded"));
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
