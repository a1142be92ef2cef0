// The launch log read as support reads it, after each kind of run a user meets: the run is cut
// out of the file by its process id, from its start line to its end line, and must tell on its
// own what happened, with its time never going back.
#include "base/handles_win.h"
#include "base/launch_log.h"
#include "base/launch_log_win.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "launch/startup_file/startup_file.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;
using e2e::Sandbox;

// The lines of one process, as support cuts them out of a log that several launchers wrote.
std::vector<std::string> RunOf(const std::vector<std::string>& lines, DWORD processId) {
    const std::string tag = " [" + std::to_string(processId) + "] ";
    std::vector<std::string> run;
    for (const std::string& line : lines)
        if (line.find(tag) == 29) run.push_back(line);
    return run;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool Holds(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

// A run begins with its start line and ends with its one end line, and its time never goes back.
void ExpectWholeRun(const std::vector<std::string>& run) {
    ASSERT_FALSE(run.empty());
    EXPECT_NE(run.front().find("] info    start: Quorvex launcher "), std::string::npos)
        << Joined(run);
    EXPECT_NE(run.back().find("] info    end: "), std::string::npos) << Joined(run);
    EXPECT_EQ(std::count_if(run.begin(), run.end(),
                            [](const std::string& line) {
                                return line.find("] info    end: ") != std::string::npos;
                            }),
              1)
        << Joined(run);
    EXPECT_TRUE(std::is_sorted(
        run.begin(), run.end(),
        [](const std::string& a, const std::string& b) { return a.compare(0, 23, b, 0, 23) < 0; }))
        << "a time goes back\n"
        << Joined(run);
}

std::wstring Setting(const wchar_t* variable, const wchar_t* value) {
    return std::wstring(variable) + L"=" + value;
}

struct Scenario {
    const char* name;
    // Plays the run to its end and gives the launcher's process id; 0 when it went wrong.
    std::function<DWORD()> play;
    std::vector<std::string> facts;
    std::string end; // what the end line says, after "end: "
};

class LogScenariosExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(e2e::LauncherExe()));
        test::ClearLaunchLog();
    }
    static std::wstring Log() { return LaunchLogPath(); }
};

TEST_F(LogScenariosExe, EachRunReadsOnItsOwnFromItsStartLineToItsEndLine) {
    std::unique_ptr<Sandbox> sandbox;
    const auto fresh = [&sandbox] {
        sandbox.reset();
        sandbox = std::make_unique<Sandbox>(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
        return sandbox->ok;
    };
    const std::vector<Scenario> scenarios{
        {"a direct launch",
         [&]() -> DWORD {
             if (!fresh()) return 0;
             LauncherRun launcher(sandbox->Environment());
             launcher.Press(IDOK);
             if (!launcher.WaitForRecordedProcess() || !sandbox->OpenGate() ||
                 !launcher.WaitForExit())
                 return 0;
             return launcher.ProcessId();
         },
         {"] info    OK: ", "] info    started (process ", "] info    Fluent recorded: process "},
         "launched; closed on the add-on's signal (process "},
        {"a Workbench launch",
         [&]() -> DWORD {
             if (!fresh() || !sandbox->settings.SetString(L"IsWorkbenchTipShow", L"false"))
                 return 0;
             const e2e::UsersStartupFile files;
             LauncherRun launcher(sandbox->Environment());
             launcher.Click(IDC_START_BY_WORKBENCH);
             launcher.Press(IDOK);
             if (!files.ok || !launcher.WaitForRecordedProcess() || !sandbox->OpenGate() ||
                 !launcher.WaitForExit())
                 return 0;
             return launcher.ProcessId();
         },
         {"] info    Workbench recorded: process ", "] info    .fluent backed up: ",
          "] info    .fluent stays the add-on's loader for Workbench starts: "},
         "launched; closed on the add-on's signal (process "},
        {"a start program that fails",
         [&]() -> DWORD {
             if (!fresh()) return 0;
             LauncherRun launcher(sandbox->Environment({Setting(fake::StartFailsVariable, L"3")}));
             launcher.Press(IDOK);
             const HWND box = launcher.WaitForOtherDialog();
             if (!box || !e2e::CloseWith(box, IDOK) || !launcher.Close()) return 0;
             return launcher.ProcessId();
         },
         {"] warning Fluent's start program ended with exit code 3",
          "] error   message start-program-failed (Error): "},
         "closed by the user (the window's close box) after the message start-program-failed; "
         "exit code 0"},
        {"a read-only .fluent before a Workbench start",
         [&]() -> DWORD {
             if (!fresh() || !sandbox->settings.SetString(L"IsWorkbenchTipShow", L"false"))
                 return 0;
             const e2e::UsersStartupFile files;
             if (!files.ok || !::SetFileAttributesW(files.startup.c_str(), FILE_ATTRIBUTE_READONLY))
                 return 0;
             LauncherRun launcher(sandbox->Environment());
             launcher.Click(IDC_START_BY_WORKBENCH);
             launcher.Press(IDOK);
             const HWND box = launcher.WaitForOtherDialog();
             const bool ended = box && e2e::CloseWith(box, IDOK) && launcher.WaitForExit();
             ::SetFileAttributesW(files.startup.c_str(), FILE_ATTRIBUTE_NORMAL);
             ::SetFileAttributesW(files.backup.c_str(), FILE_ATTRIBUTE_NORMAL);
             return ended ? launcher.ProcessId() : 0;
         },
         {"] info    .fluent backed up: ", "] error   open .fluent to write the add-on's line: ",
          "] error   message startup-file-unwritable (Error): "},
         "closed after the message startup-file-unwritable; exit code 0"},
        {"no Visual Studio",
         [&]() -> DWORD {
             sandbox.reset();
             LauncherRun launcher;
             launcher.Press(IDOK);
             const HWND box = launcher.WaitForOtherDialog();
             if (!box || !e2e::CloseWith(box, IDOK) || !launcher.WaitForExit()) return 0;
             return launcher.ProcessId();
         },
         {"] error   discovery found no Visual Studio 2010 to 2019",
          "] error   message no-visual-studio (Error): "},
         "closed after the message no-visual-studio; exit code 0"},
        {"a Chinese user",
         [&]() -> DWORD {
             sandbox.reset();
             test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
             if (!settings.SetString(L"IsUsingEnglishLanguage", L"false")) return 0;
             LauncherRun launcher;
             launcher.Press(IDCANCEL);
             return launcher.WaitForExit() ? launcher.ProcessId() : 0;
         },
         {"; language Chinese, as stored; log "},
         "cancelled by the user (Cancel or Esc); exit code 0"},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
        const DWORD processId = s.play();
        ASSERT_NE(processId, 0u) << test::ReadLaunchLog();
        const std::vector<std::string> run = RunOf(test::LogFileLines(Log()), processId);
        ExpectWholeRun(run);
        for (const std::string& fact : s.facts)
            EXPECT_TRUE(Holds(run, fact)) << fact << "\n" << Joined(run);
        ASSERT_FALSE(run.empty());
        EXPECT_NE(run.back().find("] info    end: " + s.end), std::string::npos) << Joined(run);
    }
}

// Two launchers at once: each run, cut out by its process id, is whole.
TEST_F(LogScenariosExe, TwoLaunchersAtOnceEachLeaveAWholeRun) {
    LauncherRun first, second;
    ASSERT_NE(first.Dialog(), nullptr);
    ASSERT_NE(second.Dialog(), nullptr);
    first.Press(IDCANCEL);
    second.Press(IDCANCEL);
    ASSERT_TRUE(first.WaitForExit() && second.WaitForExit());
    const std::vector<std::string> lines = test::LogFileLines(Log());
    for (const LauncherRun* launcher : {&first, &second}) {
        const std::vector<std::string> run = RunOf(lines, launcher->ProcessId());
        ExpectWholeRun(run);
        EXPECT_TRUE(Holds(run, "] info    end: cancelled by the user (Cancel or Esc); exit code 0"))
            << Joined(run);
    }
}

// A log another program holds for reading only: the run goes to the fallback, whole, and the
// next run names it in the launch log, so that support asks for the fallback too.
TEST_F(LogScenariosExe, ARunKeptFromTheLogByAnotherProgramIsNamedThereByTheNext) {
    ASSERT_TRUE(test::WriteFileBytes(Log(), ""));
    const std::wstring fallback = FallbackLogPath();
    ASSERT_TRUE(test::RemoveTree(fallback));
    DWORD held = 0;
    {
        const UniqueFile reader(::CreateFileW(Log().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        LauncherRun launcher;
        launcher.Press(IDCANCEL);
        ASSERT_TRUE(launcher.WaitForExit());
        held = launcher.ProcessId();
    }
    EXPECT_TRUE(RunOf(test::LogFileLines(Log()), held).empty()) << "the log was held";
    const std::vector<std::string> lost = RunOf(test::LogFileLines(fallback), held);
    ExpectWholeRun(lost);
    ASSERT_FALSE(lost.empty());
    EXPECT_NE(lost.front().find(" (the launch log cannot be written: " + Utf8FromText(Log()) +
                                ": error 32: "),
              std::string::npos)
        << lost.front();

    LauncherRun next;
    next.Press(IDCANCEL);
    ASSERT_TRUE(next.WaitForExit());
    const std::vector<std::string> run = RunOf(test::LogFileLines(Log()), next.ProcessId());
    ExpectWholeRun(run);
    const std::string named = "] warning an earlier run wrote only to the fallback log, which "
                              "support needs too: process " +
                              std::to_string(held) + ", run began ";
    EXPECT_TRUE(Holds(run, named)) << Joined(run);
    EXPECT_TRUE(Holds(run, " entries in " + Utf8FromText(fallback) +
                               " (the launch log cannot be "
                               "written: "))
        << Joined(run);
}

} // namespace
} // namespace qv
