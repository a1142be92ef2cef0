// The real exe among other programs: a message it shows while another program is in front
// flashes its taskbar button, and the add-on's close signal passes the message filter, so that
// an elevated launcher still hears a Fluent that is not.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

using e2e::LauncherRun;

class WindowsCitizenExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(e2e::LauncherExe()));
        ASSERT_TRUE(settings_.SetString(L"IsUsingEnglishLanguage", L"true"));
        test::ClearLaunchLog();
    }
    test::ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
};

// Windows drops a message above WM_USER from a lower integrity level; Wine has no integrity
// levels, so what is tested is what the launcher asks of the filter.
TEST_F(WindowsCitizenExe, TheCloseSignalPassesTheMessageFilter) {
    LauncherRun launcher;
    ASSERT_NE(launcher.Dialog(), nullptr) << launcher.Describe();
    EXPECT_TRUE(launcher.Close());
    const std::wstring log = test::ReadLaunchLog();
    EXPECT_TRUE(Contains(
        log, L"the close signal (message 1623) passes the message filter of any integrity level"))
        << log;
}

// Pressing OK without Visual Studio shows an error; another program's window is in front of the
// launcher, or the launcher is.
TEST_F(WindowsCitizenExe, AMessageShownBehindAnotherProgramFlashesTheTaskbarButton) {
    const std::wstring said =
        L"another program is in front (process " + std::to_wstring(::GetCurrentProcessId()) +
        L"): the launcher's taskbar button flashes until the user comes to it";
    for (const bool behind : {false, true}) {
        SCOPED_TRACE(behind ? "another program in front" : "the launcher in front");
        test::ClearLaunchLog();
        LauncherRun launcher;
        ASSERT_NE(launcher.Dialog(), nullptr) << launcher.Describe();
        // The launcher's window came to the front as it opened; another program's may take it.
        UniqueWindow other;
        if (behind) {
            other.reset(::CreateWindowExW(0, L"STATIC", L"Another program",
                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                          nullptr, nullptr, nullptr));
            ASSERT_TRUE(other);
        }
        const HWND front = behind ? other.get() : launcher.Dialog();
        ASSERT_TRUE(test::WaitUntil([&] {
            if (::GetForegroundWindow() == front) return true;
            ::SetForegroundWindow(front);
            return false;
        }));
        launcher.Press(IDOK);
        const HWND box = launcher.WaitForOtherDialog();
        ASSERT_NE(box, nullptr) << launcher.Describe();
        EXPECT_TRUE(e2e::CloseWith(box, IDOK));
        EXPECT_TRUE(launcher.WaitForExit());
        const std::wstring log = test::ReadLaunchLog();
        EXPECT_TRUE(Contains(log, L"message no-visual-studio (Error)")) << log;
        EXPECT_EQ(Contains(log, said), behind) << log;
    }
}

} // namespace
} // namespace qv
