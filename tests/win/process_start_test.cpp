// The programs of a launch start by their own names, quoted at the head of their command lines: a
// C:\Program.exe planted where a blank in an unquoted C:\Program Files\... path would find it
// never runs, while an unnamed, unquoted start does run it; and each program reads the arguments
// it was given. And the folder Fluent starts in.
#include "base/environment_win.h"
#include "base/launch_log.h"
#include "base/launch_log_win.h"
#include "base/program_start_win.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "launch/command_line/start_folder_win.h"
#include "launch/requirements/visual_studio_requirements_win.h"
#include "tests/win/launch_fixture_win.h"

namespace qv::test {
namespace {

using namespace std::chrono_literals;

class ProcessStart : public FakesTest {
  protected:
    void SetUp() override {
        FakesTest::SetUp();
        // The recorder stand-in, planted as the program a blank would start.
        ASSERT_TRUE(PlaceFakeProgram(fakes_, L"VsRegEdit.exe", TestsAre64Bit, L"C:\\Program.exe"));
    }
    void TearDown() override { EndProgramsBelow(programs_); }
    std::vector<FakeRecord> PlantedRuns() const {
        return ReadFakeRecords(records_.Path(), L"program");
    }
    // The stand-ins below C:\Program Files, as installed programs are.
    const std::wstring programs_ =
        L"C:\\Program Files\\Quorvex Test " + std::to_wstring(::GetCurrentProcessId());
    RemoveOnExit cleanup_{{L"C:\\Program.exe", programs_}};
};

TEST_F(ProcessStart, ThePlantedProgramRunsOnlyWithoutTheExecutablesName) {
    const std::wstring exe = programs_ + L"\\Visual Studio\\Common7\\IDE\\VsRegEdit.exe";
    ASSERT_TRUE(PlaceFakeProgram(fakes_, L"VsRegEdit.exe", TestsAre64Bit, exe));
    const std::wstring commandLine = exe + L" set local HKCU something";
    const std::wstring quotedLine = Quoted(exe) + L" set local HKCU something";

    // Positive control: the platform resolves the unquoted path to the planted program.
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &info));
    ProcessHandles unnamed{UniqueHandle(info.hProcess), UniqueHandle(info.hThread),
                           info.dwProcessId};
    ASSERT_TRUE(WaitForFakeRecord(records_.Path(), L"program", unnamed.processId));

    const ProcessHandles named = StartProcess({exe, quotedLine});
    ASSERT_TRUE(named.process);
    const auto record = WaitForFakeRecord(records_.Path(), L"vsregedit", named.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::CommandLine), quotedLine);
    EXPECT_EQ(record->Argv(),
              (std::vector<std::wstring>{exe, L"set", L"local", L"HKCU", L"something"}));
    EXPECT_EQ(record->Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
    EXPECT_TRUE(EqualsNoCase(record->Value(fake::key::Module), exe));
    EXPECT_EQ(PlantedRuns().size(), 1u) << "only the control ran the planted program";
}

TEST_F(ProcessStart, AStartThatFailsKeepsTheSystemsErrorAndLogsIt) {
    const std::wstring missing = programs_ + L"\\missing\\fluent.exe";
    const ProcessHandles started = StartProcess({missing, Quoted(missing) + L" 3d"});
    EXPECT_FALSE(started.process);
    EXPECT_TRUE(started.error == ERROR_PATH_NOT_FOUND || started.error == ERROR_FILE_NOT_FOUND)
        << started.error;
    const std::wstring log = ReadLaunchLog();
    EXPECT_TRUE(Contains(log, L"] error   start the program: " + Quoted(missing) + L" 3d: error " +
                                  std::to_wstring(started.error) + L": " +
                                  FilledSystemText(SystemErrorText(started.error), missing)))
        << log;
    EXPECT_FALSE(SystemErrorText(started.error).empty());
}

TEST_F(ProcessStart, FluentAndWorkbenchBelowProgramFilesStartThemselves) {
    const SimulatedFluent fluent = LayOutFluent(fakes_, programs_ + L"\\ANSYS Inc\\v252\\fluent",
                                                L"fluent25.2.0", RunsInWin64Prefix());
    ASSERT_TRUE(fluent.complete);
    ASSERT_TRUE(lifetime_.Set(L"3000"));
    for (const std::wstring& exe : {fluent.startProgram, fluent.workbench}) {
        SCOPED_TRACE(exe);
        const bool workbench = exe == fluent.workbench;
        const std::wstring commandLine = workbench ? Quoted(exe) : Quoted(exe) + L" 3ddp -t1";
        const ProcessHandles started = StartProcess({exe, commandLine});
        ASSERT_TRUE(started.process);
        const std::wstring program = workbench ? L"runwb2" : L"fluent";
        const auto record = WaitForFakeRecord(records_.Path(), program, started.processId);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->Value(fake::key::CommandLine), commandLine);
        const std::vector<std::wstring> expected =
            workbench ? std::vector<std::wstring>{exe}
                      : std::vector<std::wstring>{exe, L"3ddp", L"-t1"};
        EXPECT_EQ(record->Argv(), expected);
        EXPECT_TRUE(EqualsNoCase(record->Value(fake::key::Module), exe));
        ::TerminateProcess(started.process.get(), 0);
    }
    EXPECT_TRUE(PlantedRuns().empty());
}

TEST_F(ProcessStart, VisualStudio2019sSettingsToolStartsHiddenByItsNameAndIsNotWaitedFor) {
    const std::wstring root = programs_ + L"\\Microsoft Visual Studio\\2019\\Community";
    const SimulatedVisualStudio vs = LayOutVisualStudio2019(fakes_, root, RunsInWin64Prefix());
    ASSERT_TRUE(vs.complete);
    ScopedVariable tools(L"VS160COMNTOOLS");
    ASSERT_TRUE(tools.Set(root + L"\\Common7\\Tools\\"));
    VisualStudioInstallation installation{L"2019", L"16", root};
    installation.hasCompiler32 = installation.hasCompiler64 = installation.hasMfc = true;
    ScriptedPrompts prompts;

    const VisualStudioForLaunch checked =
        CheckVisualStudioForLaunch({installation}, L"2019", RunsInWin64Prefix(), nullptr);
    EXPECT_EQ(checked.step, LaunchStep::Continue);
    EXPECT_EQ(checked.number, L"16");
    EXPECT_EQ(checked.toolsFolder, root + L"\\Common7\\Tools");
    EXPECT_TRUE(prompts.messages.empty());
    const std::wstring tool = root + L"\\Common7\\Tools\\..\\IDE\\VsRegEdit.exe";
    std::vector<FakeRecord> runs;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(runs = ReadFakeRecords(records_.Path(), L"vsregedit")).empty(); }));
    EXPECT_EQ(runs[0].Value(fake::key::CommandLine),
              Quoted(tool) +
                  L" set local HKCU ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE "
                  L"OnEnvironmentStartup_Dev16 string 0*System.Int64*10");
    EXPECT_EQ(runs[0].Argv(), (std::vector<std::wstring>{
                                  tool, L"set", L"local", L"HKCU",
                                  L"ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE",
                                  L"OnEnvironmentStartup_Dev16", L"string", L"0*System.Int64*10"}));
    EXPECT_EQ(runs[0].Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
    EXPECT_TRUE(EqualsNoCase(runs[0].Value(fake::key::Module), vs.settingsTool));
    EXPECT_TRUE(PlantedRuns().empty());

    // Without the tool the launch goes on just the same; 2017 has none to start.
    // The tool may still be ending after it wrote its record: a running program's file stays.
    ASSERT_TRUE(WaitUntil([&] { return ::DeleteFileW(vs.settingsTool.c_str()) != FALSE; }));
    EXPECT_EQ(
        CheckVisualStudioForLaunch({installation}, L"2019", RunsInWin64Prefix(), nullptr).step,
        LaunchStep::Continue);
    EXPECT_TRUE(prompts.messages.empty());
}

// A console program the user never sees gets no console window; started as Fluent and Workbench
// are, the same program gets one. The start is made from a program without a console, as the
// launcher is: a console program such as this test's would share its own.
TEST_F(ProcessStart, AnUnseenConsoleProgramGetsNoConsoleWindow) {
    const std::wstring exe = programs_ + L"\\Tools\\VsRegEdit.exe";
    ASSERT_TRUE(PlaceFakeProgram(fakes_, L"VsRegEdit.exe", TestsAre64Bit, exe));
    const std::wstring starter = FakeProgramFoldersFromEnvironment().Runnable() + L"\\Starter.exe";
    for (const std::wstring how : {L"seen", L"unseen"}) {
        SCOPED_TRACE(how);
        StartOptions options;
        options.detached = true;
        const ProcessHandles started =
            StartProgram(starter, Quoted(starter) + L" " + how + L" " + Quoted(exe), options);
        ASSERT_TRUE(started.process);
        ASSERT_EQ(::WaitForSingleObject(started.process.get(), 60000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        ASSERT_TRUE(::GetExitCodeProcess(started.process.get(), &exitCode));
        ASSERT_EQ(exitCode, 0u);
        const std::vector<FakeRecord> runs = ReadFakeRecords(records_.Path(), L"vsregedit");
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].Value(fake::key::ConsoleWindow), how == L"unseen" ? L"none" : L"present");
        EXPECT_EQ(runs[0].Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
        ASSERT_TRUE(::DeleteFileW(runs[0].path.c_str()));
    }
    EXPECT_TRUE(Contains(ReadLaunchLog(),
                         L", a console program without a console window): " + Quoted(exe)));
}

// Only 2019 has the setting the tool changes: a tool beside 2010's or 2017's tools folder stays
// where it is. Each year has its own tool, so a record names the year that started it; 2019's is
// the control.
TEST_F(ProcessStart, TheSettingsToolStartsFor2019Only) {
    ScriptedPrompts prompts;
    std::vector<std::wstring> toolsOf2019;
    for (const auto& [year, number] :
         {std::pair{L"2010", L"10"}, std::pair{L"2017", L"15"}, std::pair{L"2019", L"16"}}) {
        const std::wstring root = programs_ + L"\\Visual Studio " + year;
        const std::wstring tool = root + L"\\Common7\\IDE\\VsRegEdit.exe";
        ASSERT_TRUE(PlaceFakeProgram(fakes_, L"VsRegEdit.exe", TestsAre64Bit, tool));
        ASSERT_TRUE(
            WriteFileBytes(root + L"\\Common7\\IDE\\Extensions\\Quorvex\\Quorvex.dll", "MZ"));
        if (number == std::wstring(L"16")) toolsOf2019.push_back(tool);
        ScopedVariable tools(ToolsVariableName(number));
        ASSERT_TRUE(tools.Set(root + L"\\Common7\\Tools\\"));
        VisualStudioInstallation installation{year, number, root};
        installation.hasCompiler32 = installation.hasCompiler64 = installation.hasMfc = true;
        installation.hasCSharp = true;
        EXPECT_EQ(
            CheckVisualStudioForLaunch({installation}, year, RunsInWin64Prefix(), nullptr).step,
            LaunchStep::Continue)
            << year;
    }
    EXPECT_TRUE(prompts.messages.empty());
    std::vector<FakeRecord> runs;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(runs = ReadFakeRecords(records_.Path(), L"vsregedit")).empty(); }));
    // A tool started earlier by 2010 or 2017 would have had the time to record too.
    ASSERT_TRUE(WaitUntil([&] { return ProgramsRunningBelow(programs_) == 0; }));
    runs = ReadFakeRecords(records_.Path(), L"vsregedit");
    std::vector<std::wstring> modules;
    for (const FakeRecord& run : runs)
        modules.push_back(run.Value(fake::key::Module));
    EXPECT_EQ(modules, toolsOf2019);
}

TEST_F(ProcessStart, FluentStartsInTheSettingsFolderElseHomeElseUsers) {
    ScopedCurrentFolder current;
    ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
    TempFolder start;
    struct Case {
        std::wstring setting;
        std::wstring home;
        std::wstring expected;
    };
    const std::vector<Case> cases{
        {start.Path(), home_.Path(), start.Path()},
        {start / L"missing", home_.Path(), home_.Path()},
        {L"", home_.Path(), home_.Path()},
        {start / L"missing", home_ / L"missing", L"C:\\Users"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(settings.SetString(L"FluentStartPath", c.setting));
        ASSERT_TRUE(::SetCurrentDirectoryW(cDrive_.Path().c_str()));
        SetStartFolder(c.home);
        EXPECT_TRUE(EqualsNoCase(CurrentFolder(), c.expected)) << c.setting << " | " << c.home;
    }
}

} // namespace
} // namespace qv::test
