// Launches by the real QuorvexLauncher.exe where the order of its questions and what follows an
// answer matter: more than 50 processes confirmed, the Intel Fortran and MATLAB checks before that
// question, the About command while Fluent runs, and the Workbench tip left without OK.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "launch/couplings/fortran_compilers.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/child_process_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/registry_edit_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;
using e2e::MessageText;
using e2e::Sandbox;

const wchar_t ManyProcesses[] = L"Parallel processes more than 50. Too many processes\ndo not "
                                L"make sense when coding UDF. Sure to continue?";

class LaunchGapsExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(e2e::LauncherExe()));
        ASSERT_TRUE(sandbox_.ok);
    }
    static void ChooseParallel(const LauncherRun& launcher, const wchar_t* count) {
        launcher.Click(IDC_PARALLEL);
        launcher.SetText(IDC_PROCESS_COUNT, count);
    }
    // The one message box shown now, answered; its text.
    static std::wstring Answer(const LauncherRun& launcher, int button) {
        HWND box = launcher.WaitForOtherDialog();
        if (!box) return L"(none; " + launcher.Describe() + L")";
        const std::wstring text = MessageText(box);
        EXPECT_TRUE(e2e::CloseWith(box, button)) << "no button " << button;
        return text;
    }
    // Fluent started once, with 51 processes; the module's signal then ends the launcher.
    void ExpectStartedWith51ProcessesThenEnded(const LauncherRun& launcher) const {
        ASSERT_NE(launcher.WaitForRecordedProcess(), 0u) << launcher.Describe();
        const auto starts = sandbox_.Records(L"fluent");
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].Value(fake::key::CommandLine), DirectStart(L"2d -t51"));
        ASSERT_TRUE(sandbox_.OpenGate());
        EXPECT_TRUE(launcher.WaitForExit());
    }
    std::wstring DirectStart(const wchar_t* options) const {
        return Quoted(sandbox_.fluent.startProgram) + L" " + options + L" -i \"" +
               sandbox_.product.loaderScm + L"\"";
    }

    const bool win64_ = test::RunsInWin64Prefix(); // 32-bit Fluent in the 32-bit prefix
    Sandbox sandbox_{L"fluent25.2.0", L"25.2", win64_};
};

TEST_F(LaunchGapsExe, FiftyOneProcessesConfirmedStartFluentWithThemAll) {
    LauncherRun launcher(sandbox_.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    ChooseParallel(launcher, L"51");
    launcher.Press(IDOK);
    EXPECT_EQ(Answer(launcher, IDYES), ManyProcesses);
    ExpectStartedWith51ProcessesThenEnded(launcher);
}

// Each run mends the check that stopped the one before: the message seen each time is the first
// check that fails, so the checks come in the order Intel Fortran, MATLAB, the process count.
TEST_F(LaunchGapsExe, FortranIsCheckedBeforeMatlabAndBothBeforeTheProcessCount) {
    const std::wstring year = L"2019";
    const wchar_t* target = win64_ ? L"EM64T_NATIVE" : L"IA32";
    test::ScopedRegistryKey intel32{HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_32KEY};
    test::TempFolder intel;
    // Intel Fortran 2020 (19.1) for Visual Studio 2019: the build's key, its compiler and the
    // template integration where INTEL_DEV_REDIST points.
    const std::wstring build = std::wstring(FortranCompilersKeyPath) + L"\\191.166";
    ASSERT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, build, L"ProductDir",
                                        intel / L"compiler19", KEY_WOW64_32KEY));
    ASSERT_TRUE(test::WriteFileBytes(intel / L"compiler19\\compiler\\lib\\" +
                                         (win64_ ? L"intel64" : L"ia32") + L"\\ifconsol.lib",
                                     "lib"));
    ASSERT_TRUE(test::WriteFileBytes(
        intel / L"shared files\\VS Integration\\VS16\\Intel Fortran\\VFPackages\\VFProj.dll",
        "dll"));
    // MATLAB 2020a, dynamic link, without its compiler's header at first.
    const std::wstring matlabBase = L"C:\\Program Files\\MATLAB";
    const std::wstring root = matlabBase + L"\\R2020a";
    test::RemoveOnExit matlabFolders{{matlabBase}};
    test::ScopedRegistryKey mathWorks{HKEY_LOCAL_MACHINE, L"Software\\MathWorks"};
    ASSERT_TRUE(test::LayOutMatlab(sandbox_.fakes, root, win64_).complete);
    const std::wstring header = root + L"\\extern\\include\\mclmcrrt.h";
    ASSERT_TRUE(test::WriteFileBytes(root + L"\\extern\\lib\\" + (win64_ ? L"win64" : L"win32") +
                                         L"\\microsoft\\mclmcrrt.lib",
                                     "simulated"));
    ASSERT_TRUE(test::RegisterMatlab(L"9.8", root));
    const std::vector<std::wstring> environment =
        sandbox_.Environment({L"INTEL_DEV_REDIST=" + intel / L"Shared Libraries\\",
                              std::wstring(fake::RecorderLifetimeVariable) + L"=60000"});

    const std::wstring bits = win64_ ? L"64" : L"32";
    const std::wstring fortranMissing =
        L"Intel Fortran 2019 update4~2020 " + bits + L"bit compiler not found for VS2019.";
    const std::wstring matlabCompilerMissing =
        L"Matlab Compiler component is not found on this computer.\nPlease check this item when "
        L"installing Matlab 2020a.";
    struct Run {
        const char* name;
        std::function<bool()> mend; // before the run
        std::wstring message;
        bool closes;
    };
    const std::vector<Run> runs{
        {"no compiler of Fluent's bitness", [] { return true; }, fortranMissing, true},
        {"Fortran complete, MATLAB's compiler header missing",
         [&] {
             return test::WriteRegistryText(HKEY_LOCAL_MACHINE, build + L"\\" + target,
                                            L"CompilerInfo", L"Intel(R) Visual Fortran",
                                            KEY_WOW64_32KEY);
         },
         matlabCompilerMissing, true},
        {"MATLAB complete", [&] { return test::WriteFileBytes(header, "simulated"); },
         ManyProcesses, false},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(run.mend());
        LauncherRun launcher(environment);
        ASSERT_NE(launcher.Dialog(), nullptr);
        launcher.Click(IDC_CALL_FORTRAN);
        launcher.Click(IDC_CALL_MATLAB);
        launcher.Click(IDC_DYNAMIC_LINK);
        ChooseParallel(launcher, L"51");
        launcher.Press(IDOK);
        EXPECT_EQ(Answer(launcher, run.closes ? IDOK : IDYES), run.message);
        if (run.closes) {
            EXPECT_TRUE(launcher.WaitForExit());
            EXPECT_TRUE(sandbox_.Records(L"fluent").empty());
            continue;
        }
        ExpectStartedWith51ProcessesThenEnded(launcher);
    }
    test::EndProgramsBelow(matlabBase);
}

TEST_F(LaunchGapsExe, AboutDoesNothingWhileTheStartedFluentRuns) {
    LauncherRun launcher(sandbox_.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    // Positive control: before the launch the About box opens.
    launcher.Command(ID_ABOUT);
    HWND about = launcher.WaitForDialogWith(IDC_PRODUCT_LINE);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(e2e::CloseWith(about, IDCANCEL));
    ASSERT_TRUE(launcher.WaitForPostedCommands());

    launcher.Press(IDOK);
    ASSERT_NE(launcher.WaitForRecordedProcess(), 0u) << launcher.Describe();
    launcher.Command(ID_ABOUT);
    ASSERT_TRUE(launcher.WaitForPostedCommands());
    EXPECT_FALSE(launcher.ShowsOtherDialog());
    EXPECT_EQ(launcher.DialogWith(IDC_PRODUCT_LINE), nullptr);
    ASSERT_TRUE(sandbox_.OpenGate());
    EXPECT_TRUE(launcher.WaitForExit());
}

// Esc and the close box end the tip as Cancel does: nothing stored, the launch stops, .fluent
// untouched. OK, last, is the positive control: it stores the ticked box.
TEST_F(LaunchGapsExe, TheWorkbenchTipLeftByEscOrItsCloseBoxStoresNothing) {
    const e2e::UsersStartupFile files;
    ASSERT_TRUE(files.ok);
    ASSERT_TRUE(sandbox_.settings.SetString(L"IsWorkbenchTipShow", L"yes"));

    LauncherRun launcher(sandbox_.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_START_BY_WORKBENCH);
    struct Leave {
        const char* name;
        void (*leave)(HWND tip);
    };
    const std::vector<Leave> ways{
        {"Esc",
         [](HWND tip) {
             // As typed: the key reaches the focused control, the dialog's loop makes it Cancel.
             HWND box = ::GetDlgItem(tip, IDC_TIP_DO_NOT_SHOW);
             ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
             ::PostMessageW(box, WM_KEYUP, VK_ESCAPE, 0xC0010001);
         }},
        {"close box", [](HWND tip) { ::PostMessageW(tip, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"OK", [](HWND tip) { e2e::Press(tip, IDOK); }},
    };
    for (const Leave& way : ways) {
        SCOPED_TRACE(way.name);
        const bool ok = std::string_view(way.name) == "OK";
        launcher.Press(IDOK);
        HWND tip = launcher.WaitForOtherDialog();
        ASSERT_NE(tip, nullptr);
        ASSERT_NE(::GetDlgItem(tip, IDC_TIP_TEXT), nullptr) << "not the tip";
        ::SendMessageW(::GetDlgItem(tip, IDC_TIP_DO_NOT_SHOW), BM_SETCHECK, BST_CHECKED, 0);
        way.leave(tip);
        ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(tip); })) << "the tip stays";
        ASSERT_TRUE(launcher.WaitForPostedCommands());
        if (ok) break;
        EXPECT_FALSE(launcher.ShowsOtherDialog());
        EXPECT_EQ(ReadSetting(L"IsWorkbenchTipShow"), L"yes");
        EXPECT_EQ(test::ReadFileBytes(files.startup), files.text);
        EXPECT_FALSE(test::IsFile(files.backup));
        EXPECT_TRUE(sandbox_.Records(L"runwb2").empty());
    }
    ASSERT_NE(launcher.WaitForRecordedProcess(), 0u) << launcher.Describe();
    EXPECT_EQ(ReadSetting(L"IsWorkbenchTipShow"), L"false");
    EXPECT_EQ(test::ReadFileBytes(files.backup), files.text);
    // Workbench records once it has started its Fluent: both end before the sandbox goes, or the
    // Fluent started meanwhile would hold its folder.
    ASSERT_TRUE(test::WaitUntil([&] { return !sandbox_.Records(L"runwb2").empty(); }));
    EXPECT_TRUE(test::WaitUntil([&] {
        test::EndProgramsBelow(sandbox_.fluentRoot);
        return test::ProgramsRunningBelow(sandbox_.fluentRoot) == 0;
    }));
}

} // namespace
} // namespace qv
