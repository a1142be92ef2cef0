// Launches by the real QuorvexLauncher.exe, driven through its windows, against simulated Fluent,
// Workbench, Visual Studio 2019 and product folder: what the started programs receive, what the
// launcher does with the user's .fluent and clipboard, its refusal to close and its end on the
// add-on's close signal.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "launch/startup_file/startup_file.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::chrono_literals;
using e2e::LauncherRun;
using e2e::MessageText;
using e2e::Sandbox;
using test::FakeRecord;

const std::wstring ClosingWhileStarting =
    L"You can't close launcher when starting Fluent/Workbench\nIt will be auto closed after "
    L"Quorvex menu loaded in Fluent.";

class LaunchExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
};

TEST_F(LaunchExe, DirectStartOf2025R2HandsFluentEverythingRefusesToCloseAndEndsOnTheSignal) {
    const bool win64 = test::RunsInWin64Prefix();
    Sandbox sandbox(L"fluent25.2.0", L"25.2", win64); // 32-bit Fluent in the 32-bit prefix
    ASSERT_TRUE(sandbox.ok);
    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_3D);
    launcher.Click(IDC_DOUBLE_PRECISION);
    launcher.Click(IDC_CHINESE_FLUENT);
    launcher.Press(IDOK);

    const DWORD recorded = launcher.WaitForRecordedProcess();
    ASSERT_NE(recorded, 0u);
    // The solver's record as it was before the signal: the module waits for the test's gate.
    const auto solver = test::WaitForFakeRecord(sandbox.records.Path(), L"fl2520s", recorded);
    ASSERT_TRUE(solver) << "the recorded process is not the new Fluent";
    const std::wstring& F = sandbox.fluent.fluentFolder;
    const std::wstring release = F + L"\\fluent25.2.0";
    const std::vector<std::pair<std::wstring, std::wstring>> environment{
        {L"lang", L"zh"},
        {L"__SharedLauncherWnd__", std::to_wstring(static_cast<std::int32_t>(
                                       reinterpret_cast<std::uintptr_t>(launcher.Dialog())))},
        {L"__SharedCallCoolProp__", L"0"},
        {L"__SharedCallFortran__", L"0"},
        {L"__SharedCallMatlab__", L"0"},
        {L"__SharedDynamicLinkMatlab__", L"0"},
        {L"__SharedFluentPathUsed__", F},
        {L"__SharedQuorvexVsUsed__", L"16"},
        {L"RELEASE_MAJOR", L"25"},
        {L"RELEASE_MINOR", L"2"},
        {L"RELEASE_REVISION", L"0"},
        {L"QUORVEX_PATH", sandbox.product.folder},
    };
    for (const auto& [name, value] : environment)
        EXPECT_EQ(solver->Variable(name), value) << name;
    EXPECT_EQ(
        solver->Variable(L"PATH").value_or(L"").rfind(release + L"\\addons\\afd\\win64;" + release +
                                                          L"\\multiport\\mpi_wrapper\\win64\\stub;",
                                                      0),
        0u);
    EXPECT_TRUE(EqualsNoCase(solver->Value(fake::key::CurrentFolder), sandbox.startFolder.Path()));
    EXPECT_EQ(solver->Value(fake::key::LoaderCheck), fake::Pass);

    // While Fluent runs the launcher refuses to close.
    launcher.Press(IDC_CANCEL);
    HWND refusal = launcher.WaitForOtherDialog();
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), ClosingWhileStarting);
    EXPECT_EQ(test::TextOf(refusal), L"Warning");
    // The module signals while the refusal is shown: the launcher closes it and ends.
    ASSERT_TRUE(sandbox.OpenGate());
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(launcher.ExitCode(), 0u);

    const auto starts = sandbox.Records(L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    const std::wstring commandLine = Quoted(sandbox.fluent.startProgram) + L" 3ddp -t1 -i \"" +
                                     sandbox.product.loaderScm + L"\"";
    EXPECT_EQ(starts[0].Value(fake::key::CommandLine), commandLine);
    EXPECT_EQ(starts[0].Argv(),
              (std::vector<std::wstring>{sandbox.fluent.startProgram, L"3ddp", L"-t1", L"-i",
                                         sandbox.product.loaderScm}));
    EXPECT_TRUE(EqualsNoCase(starts[0].Value(fake::key::Module), sandbox.fluent.startProgram));
    const auto tools = sandbox.Records(L"vsregedit");
    ASSERT_EQ(tools.size(), 1u);
    const std::wstring settingsTool = sandbox.toolsFolder + L"\\..\\IDE\\VsRegEdit.exe";
    EXPECT_EQ(tools[0].Value(fake::key::CommandLine),
              Quoted(settingsTool) + L" set local HKCU "
                                     L"ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE "
                                     L"OnEnvironmentStartup_Dev16 string 0*System.Int64*10");
    EXPECT_EQ(tools[0].Argv(),
              (std::vector<std::wstring>{
                  settingsTool, L"set", L"local", L"HKCU",
                  L"ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE",
                  L"OnEnvironmentStartup_Dev16", L"string", L"0*System.Int64*10"}));
    // A console program, as the real tool is: started without a console window.
    EXPECT_EQ(tools[0].Value(fake::key::ConsoleWindow), L"none");
    // What support reads afterwards: the press, the command line, the process, the signal.
    const std::wstring log = test::ReadLaunchLog();
    for (const std::wstring& entry : std::vector<std::wstring>{
             // The dialog's own terms: 2025 R2's first mode is "1-Core Parallel" (-t1).
             L"OK: 3D, Double Precision on, 1-Core Parallel, Chinese Fluent on, Start by "
             L"WorkBench off;",
             L"start folder: ", L"set __SharedQuorvexVsUsed__=16",
             L"started (process " + std::to_wstring(starts[0].ProcessId()) + L"): " + commandLine,
             L"Fluent recorded: process " + std::to_wstring(recorded),
             std::wstring(L"close signal: the add-on's menu is loaded"),
             L"end: launched; closed on the add-on's signal (process " + std::to_wstring(recorded) +
                 L" recorded); exit code 0"})
        EXPECT_TRUE(Contains(log, entry)) << entry << "\n" << log;
    // Wine's taskbar takes the wait's progress: nothing to tell.
    EXPECT_FALSE(Contains(log, L"taskbar progress")) << log;
    EXPECT_TRUE(sandbox.Records(L"program").empty()) << "C:\\Program.exe ran";
    const auto signalled = test::ReadFakeRecord(solver->path);
    ASSERT_TRUE(signalled);
    EXPECT_EQ(signalled->Value(fake::key::Signal), L"sent");
    EXPECT_EQ(ReadSetting(L"FluentPathsUsed"), F);
    EXPECT_EQ(ReadSetting(L"VcVerUsed"), L"16");
}

TEST_F(LaunchExe, WorkbenchStartSwapsTheUsersStartupFileAndPutsItBackOnceWorkbenchHasGone) {
    Sandbox sandbox(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    const e2e::UsersStartupFile files;
    ASSERT_TRUE(files.ok);

    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_START_BY_WORKBENCH);
    launcher.Press(IDOK);
    // Seen once the command was handled, as the check below would see a second tip.
    ASSERT_TRUE(launcher.WaitForPostedCommands());
    EXPECT_TRUE(launcher.ShowsOtherDialog());
    HWND tip = launcher.WaitForOtherDialog();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(test::TextOf(tip), L"Tips");
    ASSERT_NE(::GetDlgItem(tip, IDC_TIP_TEXT), nullptr);
    ::SendMessageW(::GetDlgItem(tip, IDC_TIP_DO_NOT_SHOW), BM_CLICK, 0, 0);
    e2e::Press(tip, IDOK);

    const DWORD recorded = launcher.WaitForRecordedProcess();
    ASSERT_NE(recorded, 0u);
    const auto workbench = test::WaitForFakeRecord(sandbox.records.Path(), L"runwb2", recorded);
    ASSERT_TRUE(workbench) << "the recorded process is not Workbench's";
    EXPECT_EQ(workbench->Value(fake::key::CommandLine), Quoted(sandbox.fluent.workbench));
    EXPECT_EQ(workbench->Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
    EXPECT_EQ(test::ReadFileBytes(files.startup), std::string(FastLoadLine))
        << "the line alone, no line end";
    EXPECT_EQ(test::ReadFileBytes(files.backup), files.text);
    EXPECT_EQ(ReadSetting(L"IsWorkbenchTipShow"), L"false");

    // While Workbench runs OK does nothing at all, and closing is refused.
    launcher.Press(IDOK);
    ASSERT_TRUE(launcher.WaitForPostedCommands());
    EXPECT_FALSE(launcher.ShowsOtherDialog()) << "no tip, no message";
    EXPECT_EQ(sandbox.Records(L"runwb2").size(), 1u);
    launcher.Press(IDC_CANCEL);
    HWND refusal = launcher.WaitForOtherDialog();
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), ClosingWhileStarting);
    ASSERT_TRUE(e2e::CloseWith(refusal, IDOK));
    EXPECT_EQ(test::ReadFileBytes(files.startup), std::string(FastLoadLine));

    // Workbench ends with its Fluent.
    std::uint32_t solver = 0;
    ASSERT_TRUE(ParseUnsigned(workbench->Value(fake::key::StartedProcessId), solver));
    UniqueHandle fluentProcess(::OpenProcess(PROCESS_TERMINATE, FALSE, solver));
    ASSERT_TRUE(fluentProcess && ::TerminateProcess(fluentProcess.get(), 0));
    UniqueHandle workbenchProcess(::OpenProcess(SYNCHRONIZE, FALSE, recorded));
    ASSERT_TRUE(workbenchProcess);
    ASSERT_EQ(::WaitForSingleObject(workbenchProcess.get(), 20000), WAIT_OBJECT_0);

    launcher.Press(IDC_CANCEL);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(files.startup), files.text);
    EXPECT_FALSE(test::IsFile(files.backup));
}

TEST_F(LaunchExe, ParallelFluent12GetsTheLoadCommandInItsConsoleAndTheClipboardSurvives) {
    Sandbox sandbox(L"fluent12.1.2", L"12.1", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    // The user's clipboard: text, a bitmap and a format of another program's.
    UniqueWindow owner(::CreateWindowExW(0, L"Static", L"clipboard owner", 0, 0, 0, 1, 1, nullptr,
                                         nullptr, nullptr, nullptr));
    ASSERT_TRUE(owner);
    const UINT format = ::RegisterClipboardFormatW(L"Quorvex test format");
    const std::uint32_t pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456};
    const wchar_t text[] = L"the user's words";
    auto global = [](const void* bytes, std::size_t size) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(::GlobalLock(block), bytes, size);
        ::GlobalUnlock(block);
        return block;
    };
    ASSERT_TRUE(::OpenClipboard(owner.get()));
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(CF_UNICODETEXT, global(text, sizeof(text))) &&
                     ::SetClipboardData(CF_BITMAP, ::CreateBitmap(2, 2, 1, 32, pixels)) &&
                     ::SetClipboardData(format, global("abc\0xyz", 7));
    ::CloseClipboard();
    ASSERT_TRUE(set);

    LauncherRun launcher(sandbox.Environment({std::wstring(fake::ConsoleVariable) + L"=1"}));
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_PARALLEL);
    launcher.SetText(IDC_PROCESS_COUNT, L"2");
    ASSERT_TRUE(sandbox.OpenGate());
    launcher.Press(IDOK);
    EXPECT_TRUE(launcher.WaitForExit()) << "no close signal";

    const auto solvers = sandbox.Records(L"fl2520s");
    ASSERT_EQ(solvers.size(), 1u);
    const FakeRecord& solver = solvers[0];
    EXPECT_EQ(solver.Value(fake::key::ConsoleText),
              L"(open-udf-library \"" + sandbox.product.folder + L"\\addon\")");
    EXPECT_EQ(solver.Value(fake::key::ConsoleEntry), L"pasted");
    EXPECT_EQ(solver.Value(fake::key::Signal), L"sent");
    const auto starts = sandbox.Records(L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Value(fake::key::CommandLine),
              Quoted(sandbox.fluent.startProgram) + L" 2d -t2");

    ASSERT_TRUE(::OpenClipboard(owner.get()));
    HANDLE textData = ::GetClipboardData(CF_UNICODETEXT);
    HANDLE formatData = ::GetClipboardData(format);
    auto* bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    std::uint32_t after[4] = {};
    const bool bitmapRead =
        bitmap && ::GetBitmapBits(bitmap, sizeof(after), after) == sizeof(after);
    const std::wstring textAfter =
        textData ? static_cast<const wchar_t*>(::GlobalLock(textData)) : L"(none)";
    if (textData) ::GlobalUnlock(textData);
    const std::string formatAfter =
        formatData ? std::string(static_cast<const char*>(::GlobalLock(formatData)),
                                 ::GlobalSize(formatData))
                   : "(none)";
    if (formatData) ::GlobalUnlock(formatData);
    ::CloseClipboard();
    EXPECT_EQ(textAfter, text);
    EXPECT_EQ(formatAfter, std::string("abc\0xyz", 7));
    ASSERT_TRUE(bitmapRead);
    EXPECT_EQ(std::vector<std::uint32_t>(after, after + 4),
              std::vector<std::uint32_t>(pixels, pixels + 4));
}

// The launcher ends while Fluent 12's console, busy, has not taken the paste: the user's content
// comes back before the launcher has gone, and its log says so before its end line.
TEST_F(LaunchExe, APasteStillPendingWhenTheLauncherEndsLeavesTheUsersClipboard) {
    Sandbox sandbox(L"fluent12.1.2", L"12.1", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    const std::wstring words = L"the user's words";
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (words.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(block), words.c_str(), (words.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(block);
    const bool set = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    ::CloseClipboard();
    ASSERT_TRUE(set);

    test::ClearLaunchLog();
    LauncherRun launcher(sandbox.Environment({std::wstring(fake::ConsoleVariable) + L"=1",
                                              std::wstring(fake::ConsoleBusyVariable) + L"=8000"}));
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_PARALLEL);
    launcher.SetText(IDC_PROCESS_COUNT, L"2");
    ASSERT_TRUE(sandbox.OpenGate());
    launcher.Press(IDOK);
    ASSERT_TRUE(test::WaitUntil(
        [] { return Contains(test::ReadLaunchLog(), L"waiting for it to take the paste"); }));
    // The signal as the add-on's module would send it.
    ::PostMessageW(launcher.Dialog(), 1623, reinterpret_cast<WPARAM>(launcher.Dialog()), 0);
    EXPECT_TRUE(launcher.WaitForExit());

    std::wstring after = L"(not open)";
    if (::OpenClipboard(nullptr)) {
        HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
        after = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : L"(none)";
        if (data) ::GlobalUnlock(data);
        ::CloseClipboard();
    }
    EXPECT_EQ(after, words);
    const std::wstring log = test::ReadLaunchLog();
    const auto putBack = log.find(L"the load command was not entered; the user's clipboard is "
                                  L"put back");
    const auto end = log.find(L" end: ");
    ASSERT_NE(putBack, std::wstring::npos) << log;
    EXPECT_LT(putBack, end) << log;
}

// The module may signal before the launcher has recognised its Fluent (here: a main window of a
// class the search does not know): the launcher ends at once all the same.
TEST_F(LaunchExe, TheSignalOfAFluentTheSearchDoesNotRecogniseEndsTheLauncher) {
    Sandbox sandbox(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    LauncherRun launcher(
        sandbox.Environment({std::wstring(fake::WindowClassVariable) + L"=UnknownFrame",
                             std::wstring(fake::SignalFirstVariable) + L"=1"}));
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Press(IDOK);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(launcher.ExitCode(), 0u);
    std::vector<FakeRecord> solvers;
    ASSERT_TRUE(
        test::WaitUntil([&] { return !(solvers = sandbox.Records(L"fl2520s")).empty(); }, 30s));
    EXPECT_EQ(solvers[0].Value(fake::key::FirstSignal), L"sent");
    const std::wstring log = test::ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"close signal while waiting for Fluent: no Fluent process was "
                              L"recorded"))
        << log;
}

TEST_F(LaunchExe, TwoReleasesInTheFolderEndTheLauncherWithTheMessage) {
    Sandbox sandbox(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    ASSERT_TRUE(
        test::WriteFileBytes(sandbox.fluent.fluentFolder + L"\\fluent25.1.0\\src\\udf.h", ""));
    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Press(IDOK);
    HWND box = launcher.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), L"Can't decide which version to run because no Fluent or multiple "
                                L"Fluent versions found in \"" +
                                    sandbox.fluent.fluentFolder + L"\" folder.");
    EXPECT_EQ(test::TextOf(box), L"Error");
    e2e::Press(box, IDOK);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_TRUE(sandbox.Records(L"fluent").empty());
}

TEST_F(LaunchExe, Fluent32OnWindows64EndsTheLauncherWithTheMessageOnWindows64) {
    Sandbox sandbox(L"fluent19.3.0", L"19.3", false);
    ASSERT_TRUE(sandbox.ok);
    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Press(IDOK);
    HWND box = launcher.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), L"Can't support 32bit Fluent running on 64 bit Windows.\nPlease "
                                L"install 64 bit Fluent.");
    e2e::Press(box, IDOK);
    EXPECT_TRUE(launcher.WaitForExit());
}

TEST_F(LaunchExe, FiftyOneProcessesAreAskedAboutAndNoStaysOpen) {
    Sandbox sandbox(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_PARALLEL);
    launcher.SetText(IDC_PROCESS_COUNT, L"51");
    launcher.Press(IDOK);
    // Seen once the command was handled, as the check below would see another message.
    ASSERT_TRUE(launcher.WaitForPostedCommands());
    EXPECT_TRUE(launcher.ShowsOtherDialog());
    HWND question = launcher.WaitForOtherDialog();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageText(question), L"Parallel processes more than 50. Too many processes\ndo not "
                                     L"make sense when coding UDF. Sure to continue?");
    EXPECT_NE(::GetDlgItem(question, IDNO), nullptr);
    ASSERT_TRUE(e2e::CloseWith(question, IDNO));
    // The dialog's thread is back in its own loop, with nothing else shown and nothing started.
    ASSERT_TRUE(launcher.WaitForPostedCommands());
    EXPECT_FALSE(launcher.ShowsOtherDialog());
    EXPECT_FALSE(launcher.HasExited());
    EXPECT_TRUE(sandbox.Records(L"fluent").empty());
    EXPECT_TRUE(launcher.Close());
}

// Parallel refuses a count that is no number; Serial uses no count and keeps its edit out of
// reach, so the same count left there by Parallel does not stop it.
TEST_F(LaunchExe, ACountItCannotUseStopsAParallelLaunchAfterItsMessageOnly) {
    // No Visual Studio here: a launch that went on would say so and end the launcher.
    test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
    struct Case {
        const char* name;
        const wchar_t* count;
        bool parallel;
        const wchar_t* stopsWith; // nullptr: the launch goes on
    };
    const std::vector<Case> cases{
        {"parallel, no number", L"", true, L"Enter a positive integer."},
        {"parallel, out of range", L"1000", true, L"Enter an integer between 1 and 999."},
        {"parallel, a number", L"1", true, nullptr},
        {"serial, no number", L"", false, nullptr},
        {"serial, out of range", L"0", false, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LauncherRun launcher;
        ASSERT_NE(launcher.Dialog(), nullptr);
        launcher.Click(IDC_PARALLEL);
        launcher.SetText(IDC_PROCESS_COUNT, c.count);
        if (!c.parallel) launcher.Click(IDC_SERIAL);
        launcher.Press(IDOK);
        HWND box = launcher.WaitForOtherDialog();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), c.stopsWith ? c.stopsWith
                                                : L"No VC found on this machine. Please install "
                                                  L"visual studio (2010~2019) first.");
        e2e::Press(box, IDOK);
        ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box) || launcher.HasExited(); }));
        if (c.stopsWith) {
            ASSERT_TRUE(launcher.WaitForPostedCommands());
            EXPECT_FALSE(launcher.ShowsOtherDialog());
            EXPECT_FALSE(launcher.HasExited());
        } else {
            EXPECT_TRUE(launcher.WaitForExit());
        }
    }
}

// The way out of the dead end: the user emptied the count in Parallel, then chose Serial and the
// rest. Fluent starts with what the controls show.
TEST_F(LaunchExe, ASerialLaunchGoesOnPastACountThatIsNoNumberWithTheChoicesShown) {
    Sandbox sandbox(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
    ASSERT_TRUE(sandbox.ok);
    LauncherRun launcher(sandbox.Environment());
    ASSERT_NE(launcher.Dialog(), nullptr);
    launcher.Click(IDC_PARALLEL);
    launcher.SetText(IDC_PROCESS_COUNT, L"");
    launcher.Click(IDC_3D);
    launcher.Click(IDC_DOUBLE_PRECISION);
    launcher.Click(IDC_CALL_COOLPROP);
    launcher.Click(IDC_SERIAL);
    launcher.Press(IDOK);

    const DWORD recorded = launcher.WaitForRecordedProcess();
    ASSERT_NE(recorded, 0u) << launcher.Describe();
    const auto solver = test::WaitForFakeRecord(sandbox.records.Path(), L"fl2520s", recorded);
    ASSERT_TRUE(solver);
    EXPECT_EQ(solver->Variable(L"__SharedCallCoolProp__"), L"1");
    ASSERT_TRUE(sandbox.OpenGate());
    EXPECT_TRUE(launcher.WaitForExit());
    const auto starts = sandbox.Records(L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Value(fake::key::CommandLine), Quoted(sandbox.fluent.startProgram) +
                                                           L" 3ddp -t1 -i \"" +
                                                           sandbox.product.loaderScm + L"\"");
    EXPECT_TRUE(Contains(test::ReadLaunchLog(), L"OK: 3D, Double Precision on, 1-Core Parallel, "
                                                L"Chinese Fluent off, Start by WorkBench off; "
                                                L"Call CoolProp on"));
}

} // namespace
} // namespace qv
