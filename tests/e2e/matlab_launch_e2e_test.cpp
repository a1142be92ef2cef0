// The MATLAB coupling at OK by the real QuorvexLauncher.exe: two simulated MATLAB releases
// registered as MATLAB's installer registers them, whose matlab.exe records how it was started,
// beside a simulated Fluent 2025 R2 whose solver records what it inherited.
#include "base/launch_log.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::string_literals;
using e2e::LauncherRun;
using e2e::MessageText;
using e2e::Sandbox;
using test::FakeRecord;

const wchar_t StaticMatlabWithVs2019Question[] =
    L"Static linking Mablat using VS2019 may cause \"incompatible with C99 (ISO) language "
    L"standard\" warning when converting Matlab code to C++ in Visual Studio. Please install lower "
    L"version of Visual Studio (2010~2017) if this warning occurs. Whether uninstalling VS2019 or "
    L"not doesn't matter. Continue starting FLUENT process or not? ";
const wchar_t MatlabCompilerMissing[] =
    L"Matlab Compiler component is not found on this computer.\nPlease check "
    L"this item when installing Matlab 2020a.";

struct Release {
    const wchar_t* text;    // as the list shows it
    const wchar_t* version; // MATLAB's own, the installer's registry key
};
const Release R2020a{L"2020a", L"9.8"};
const Release R2019b{L"2019b", L"9.7"};

class MatlabLaunchExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(e2e::LauncherExe()));
        ASSERT_TRUE(sandbox_.ok);
        for (const Release& release : {R2020a, R2019b}) {
            const std::wstring root = Root(release);
            ASSERT_TRUE(test::LayOutMatlab(sandbox_.fakes, root, win64_).complete);
            for (const std::wstring& file :
                 {root + L"\\toolbox\\coder\\matlabcoder\\codegen.p",
                  root + L"\\extern\\include\\mclmcrrt.h",
                  root + L"\\extern\\lib\\" + Arch() + L"\\microsoft\\mclmcrrt.lib"})
                ASSERT_TRUE(test::WriteFileBytes(file, "simulated"));
            ASSERT_TRUE(test::RegisterMatlab(release.version, root));
        }
    }
    void TearDown() override { test::EndProgramsBelow(matlabBase_); }

    std::wstring Root(const Release& release) const { return matlabBase_ + L"\\R" + release.text; }
    std::wstring Arch() const { return win64_ ? L"win64" : L"win32"; }
    std::wstring BinArch(const Release& release) const {
        return Root(release) + L"\\bin\\" + Arch();
    }
    // MATLAB's run-time folders as they lead the search path.
    std::wstring MatlabFolders(const Release& release) const {
        const std::wstring root = Root(release);
        return root + L"\\runtime\\" + Arch() + L";" + root + L"\\bin;" + BinArch(release) + L";";
    }
    std::wstring FluentFolders() const {
        const std::wstring& release = sandbox_.fluent.releaseFolder;
        return release + L"\\addons\\afd\\win64;" + release +
               L"\\multiport\\mpi_wrapper\\win64\\stub;";
    }

    // The registration takes its time, as MATLAB's does: the launch must not wait for it.
    std::vector<std::wstring> Environment() const {
        return sandbox_.Environment({std::wstring(fake::RecorderLifetimeVariable) + L"=60000"});
    }
    // "Call Matlab", the link and the release, chosen through the dialog's controls.
    static bool ChooseMatlab(const LauncherRun& launcher, int link, const Release& release) {
        launcher.Click(IDC_CALL_MATLAB);
        launcher.Click(link);
        HWND list = launcher.Item(IDC_MATLAB_LIST);
        const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(release.text));
        return ::IsWindowEnabled(list) && index != CB_ERR &&
               ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == index;
    }
    static void ChooseParallel(const LauncherRun& launcher) {
        launcher.Click(IDC_PARALLEL);
        launcher.SetText(IDC_PROCESS_COUNT, L"2");
    }
    // The record of the Fluent the launcher started, as it was before the close signal.
    std::optional<FakeRecord> WaitForSolver(const LauncherRun& launcher) const {
        const DWORD recorded = launcher.WaitForRecordedProcess();
        if (recorded == 0) return std::nullopt;
        return test::WaitForFakeRecord(sandbox_.records.Path(), L"fl2520s", recorded);
    }
    // The module signals; the launcher ends, and the next run finds the gate shut.
    void Finish(LauncherRun& launcher) const {
        EXPECT_TRUE(sandbox_.OpenGate());
        EXPECT_TRUE(launcher.WaitForExit());
        EXPECT_TRUE(test::RemoveTree(sandbox_.Gate()));
        test::EndProgramsBelow(matlabBase_);
    }
    std::vector<FakeRecord> Registrations(std::size_t atLeast = 0) const {
        test::WaitUntil([&] { return sandbox_.Records(L"matlab").size() >= atLeast; });
        return sandbox_.Records(L"matlab");
    }
    void ExpectRegistration(const FakeRecord& record, const Release& release) const {
        const std::wstring exe = BinArch(release) + L"\\matlab.exe";
        EXPECT_TRUE(EqualsNoCase(record.Value(fake::key::Module), exe))
            << record.Value(fake::key::Module);
        EXPECT_EQ(record.Value(fake::key::CommandLine),
                  L"\"" + exe + L"\" -nojvm -nosplash -nodesktop -r \"regmatlabserver;exit\"");
        EXPECT_EQ(record.Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
    }

    const bool win64_ = test::RunsInWin64Prefix(); // 32-bit Fluent in the 32-bit prefix
    Sandbox sandbox_{L"fluent25.2.0", L"25.2", win64_};
    // A blank in the roots: an unquoted matlab.exe would start the sandbox's C:\Program.exe.
    const std::wstring matlabBase_ = L"C:\\Program Files\\MATLAB";
    test::RemoveOnExit matlabFolders_{{matlabBase_}};
    test::ScopedRegistryKey installer_{HKEY_LOCAL_MACHINE, L"Software\\MathWorks"};
};

TEST_F(MatlabLaunchExe, FirstLaunchRegistersTheReleaseOnceMakesTheLibrariesCoexistAndSetsThePath) {
    // Both library pairs, each library that loads the other's copy naming it twice.
    const std::wstring bin = BinArch(R2020a);
    const std::wstring ntbin = sandbox_.fluent.fluentFolder + L"\\ntbin\\win64";
    const std::vector<std::pair<std::wstring, std::string>> libraries{
        {sandbox_.fluent.releaseFolder + L"\\addons\\afd\\win64\\hdf5.dll", "Fluent's hdf5"},
        {bin + L"\\hdf5.dll", "MATLAB's hdf5"},
        {bin + L"\\libmat.dll", "MZ hdf5.dll\0 hdf5.dll HDF5.dll"s},
        {ntbin + L"\\xerces-c_3_2.dll", "Fluent's xerces"},
        {bin + L"\\xerces-c_3_2.dll", "MATLAB's xerces"},
        {ntbin + L"\\libansysfluidscffinterface.dll", "MZ xerces-c_3_2.dllxerces-c_3_2.dll"},
    };
    for (const auto& [path, bytes] : libraries)
        ASSERT_TRUE(test::WriteFileBytes(path, bytes));
    ASSERT_TRUE(ReadSetting(L"MatlabVerUsed").empty());

    LauncherRun launcher(Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    ASSERT_TRUE(ChooseMatlab(launcher, IDC_DYNAMIC_LINK, R2020a));
    launcher.Press(IDOK);
    const auto solver = WaitForSolver(launcher);
    ASSERT_TRUE(solver) << "no Fluent started; " << launcher.Describe();

    // Fluent started while the one registration still runs.
    EXPECT_EQ(test::ProgramsRunningBelow(matlabBase_), 1);
    const std::vector<FakeRecord> registrations = Registrations(1);
    ASSERT_EQ(registrations.size(), 1u);
    ExpectRegistration(registrations[0], R2020a);
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"2020a");
    EXPECT_TRUE(sandbox_.Records(L"program").empty()) << "C:\\Program.exe ran";

    // Serial Fluent 2025 R2 puts its two folders ahead of MATLAB's.
    EXPECT_EQ(solver->Variable(L"__SharedMatlabPathUsed__"), Root(R2020a));
    EXPECT_EQ(solver->Variable(L"__SharedCallMatlab__"), L"1");
    EXPECT_EQ(solver->Variable(L"__SharedDynamicLinkMatlab__"), L"1");
    const std::wstring path = solver->Variable(L"PATH").value_or(L"");
    EXPECT_EQ(path.rfind(FluentFolders() + MatlabFolders(R2020a), 0), 0u) << path;

    EXPECT_EQ(test::ReadFileBytes(bin + L"\\hdf_.dll"), "MATLAB's hdf5");
    EXPECT_EQ(test::ReadFileBytes(bin + L"\\libmat.dll"), "MZ hdf_.dll\0 hdf_.dll HDF5.dll"s);
    EXPECT_EQ(test::ReadFileBytes(ntbin + L"\\xerces_c_3_2.dll"), "Fluent's xerces");
    EXPECT_EQ(test::ReadFileBytes(ntbin + L"\\libansysfluidscffinterface.dll"),
              "MZ xerces_c_3_2.dllxerces_c_3_2.dll");
    Finish(launcher);
}

TEST_F(MatlabLaunchExe, TheSameReleaseInAnotherCaseIsNotRegisteredAgainAnotherReleaseIs) {
    ASSERT_TRUE(sandbox_.settings.SetString(L"MatlabVerUsed", L"2020A"));
    for (const auto& [release, switched] : {std::pair{R2020a, false}, {R2019b, true}}) {
        SCOPED_TRACE(release.text);
        LauncherRun launcher(Environment());
        ASSERT_NE(launcher.Dialog(), nullptr);
        ASSERT_TRUE(ChooseMatlab(launcher, IDC_DYNAMIC_LINK, release));
        ChooseParallel(launcher);
        launcher.Press(IDOK);
        const auto solver = WaitForSolver(launcher);
        ASSERT_TRUE(solver) << "no Fluent started; " << launcher.Describe();

        // A registration would have been started before Fluent, and would still run.
        EXPECT_EQ(test::ProgramsRunningBelow(matlabBase_), switched ? 1 : 0);
        const std::vector<FakeRecord> registrations = Registrations(switched ? 1 : 0);
        ASSERT_EQ(registrations.size(), switched ? 1u : 0u);
        if (switched) ExpectRegistration(registrations[0], release);
        EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), release.text);

        // A parallel Fluent adds no folders of its own: MATLAB's lead.
        EXPECT_EQ(solver->Variable(L"__SharedMatlabPathUsed__"), Root(release));
        const std::wstring path = solver->Variable(L"PATH").value_or(L"");
        EXPECT_EQ(path.rfind(MatlabFolders(release), 0), 0u) << path;
        Finish(launcher);
    }
}

TEST_F(MatlabLaunchExe, StaticLinkWithVisualStudio2019AloneAsksFirstAndNoKeepsTheDialogOpen) {
    LauncherRun launcher(Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    ASSERT_TRUE(ChooseMatlab(launcher, IDC_STATIC_LINK, R2020a));
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        launcher.Press(IDOK);
        // Seen once the command was handled, as the check after No would see another dialog.
        ASSERT_TRUE(launcher.WaitForPostedCommands());
        EXPECT_TRUE(launcher.ShowsOtherDialog());
        HWND question = launcher.WaitForOtherDialog();
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(MessageText(question), StaticMatlabWithVs2019Question);
        EXPECT_EQ(test::TextOf(question), L"Warning");
        ASSERT_NE(::GetDlgItem(question, IDYES), nullptr);
        ASSERT_NE(::GetDlgItem(question, answer), nullptr);
        ASSERT_TRUE(e2e::CloseWith(question, answer));
        if (answer == IDNO) {
            // The dialog's thread is back in its own loop, with nothing shown, run or stored.
            ASSERT_TRUE(launcher.WaitForPostedCommands());
            EXPECT_FALSE(launcher.ShowsOtherDialog());
            EXPECT_FALSE(launcher.HasExited());
            EXPECT_EQ(test::ProgramsRunningBelow(matlabBase_), 0);
            EXPECT_TRUE(sandbox_.Records(L"fluent").empty());
            EXPECT_TRUE(sandbox_.Records(L"matlab").empty());
            EXPECT_TRUE(ReadSetting(L"MatlabVerUsed").empty());
        }
    }
    // Yes goes on: the registration, then Fluent.
    ASSERT_TRUE(WaitForSolver(launcher)) << "no Fluent started; " << launcher.Describe();
    EXPECT_EQ(sandbox_.Records(L"fluent").size(), 1u);
    EXPECT_EQ(Registrations(1).size(), 1u);
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"2020a");
    Finish(launcher);
}

TEST_F(MatlabLaunchExe, DynamicLinkWithoutTheCompilersHeaderEndsTheLauncherWithTheMessage) {
    ASSERT_TRUE(test::RemoveTree(Root(R2020a) + L"\\extern\\include\\mclmcrrt.h"));
    LauncherRun launcher(Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    ASSERT_TRUE(ChooseMatlab(launcher, IDC_DYNAMIC_LINK, R2020a));
    launcher.Press(IDOK);
    HWND box = launcher.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), MatlabCompilerMissing);
    EXPECT_EQ(test::TextOf(box), L"Error");
    e2e::Press(box, IDOK);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(test::ProgramsRunningBelow(matlabBase_), 0);
    EXPECT_TRUE(sandbox_.Records(L"fluent").empty());
    EXPECT_TRUE(sandbox_.Records(L"matlab").empty());
    EXPECT_TRUE(ReadSetting(L"MatlabVerUsed").empty());
}

// A running MATLAB has loaded libmat.dll: it cannot be rewritten to load MATLAB's renamed
// library. The log names the file and the system's error before the message, and the same
// search finds the run's error lines in either language.
TEST_F(MatlabLaunchExe, ALibraryARunningMatlabHoldsIsLoggedWithItsPathAndTheSystemsError) {
    const std::wstring bin = BinArch(R2020a), libmat = bin + L"\\libmat.dll";
    const std::string image =
        test::ReadFileBytes(sandbox_.fakes.Runnable() + L"\\matlab.exe").value_or("");
    ASSERT_FALSE(image.empty());
    for (const auto& [path, bytes] : std::vector<std::pair<std::wstring, std::string>>{
             {bin + L"\\hdf5.dll", "MATLAB's hdf5"},
             {libmat, image + std::string("hdf5.dll\0", 9)},
             {sandbox_.fluent.releaseFolder + L"\\addons\\afd\\win64\\hdf5.dll", "Fluent's hdf5"}})
        ASSERT_TRUE(test::WriteFileBytes(path, bytes));
    // This test's own process is the MATLAB that loaded it.
    const HMODULE held = ::LoadLibraryExW(libmat.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(held, nullptr);
    std::vector<std::string> errors[2];
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        ASSERT_TRUE(
            sandbox_.settings.SetString(L"IsUsingEnglishLanguage", chinese ? L"false" : L"true"));
        test::ClearLaunchLog();
        LauncherRun launcher(Environment());
        ASSERT_NE(launcher.Dialog(), nullptr);
        ASSERT_TRUE(ChooseMatlab(launcher, IDC_DYNAMIC_LINK, R2020a));
        launcher.Press(IDOK);
        HWND box = launcher.WaitForOtherDialog();
        ASSERT_NE(box, nullptr) << launcher.Describe();
        EXPECT_EQ(MessageText(box),
                  chinese ? L"某些文件被占用，请关闭所有Matlab程序或重启Windows后重试。"
                          : L"Some File is occupied. Please retry after closing "
                            L"all Matlab programs or restarting Windows.");
        e2e::Press(box, IDOK);
        EXPECT_TRUE(launcher.WaitForExit());
        const std::string log = Utf8FromText(test::ReadLaunchLog());
        for (const std::string& entry :
             {"] error   open the library to rewrite it: " + Utf8FromText(libmat) + ": error ",
              "] error   message matlab-library-occupied (Error): "s,
              "] info    end: closed after the message matlab-library-occupied; exit code 0"s})
            EXPECT_NE(log.find(entry), std::string::npos) << entry << "\n" << log;
        for (std::size_t at = log.find("] error   "); at != std::string::npos;
             at = log.find("] error   ", at + 1)) {
            const std::string line = log.substr(at, log.find("\r\n", at) - at);
            errors[chinese].push_back(line.substr(0, line.find("(Error): ")));
        }
    }
    ::FreeLibrary(held);
    EXPECT_FALSE(errors[0].empty());
    EXPECT_EQ(errors[0], errors[1]);
}

} // namespace
} // namespace qv
