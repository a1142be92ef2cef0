// What support reads in the launch log after the real QuorvexLauncher.exe stopped a launch with a
// message, in English and in Chinese: the facts behind the message, the message by its key with
// the English caption word at the error level, and how the run ended. The same search finds
// both languages' lines.
#include "base/launch_log.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "launch/startup_file/startup_file.h"
#include "resources/resource.h"
#include "tests/e2e/launch_sandbox_win.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;
using e2e::Sandbox;

std::string Utf8(const std::wstring& text) {
    return Utf8FromText(text);
}

// The lines of the last run in the log: from its start line on.
std::vector<std::string> LastRun() {
    const std::string log = Utf8(test::ReadLaunchLog());
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < log.size();) {
        std::size_t end = log.find("\r\n", begin);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(begin, end - begin);
        if (line.find("] info    start: ") != std::string::npos) lines.clear();
        lines.push_back(line);
        begin = end + 2;
    }
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

// The system's own English text for an error, as the log should give it on any Windows.
std::wstring EnglishSystemTextOf(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    ::LocalFree(buffer);
    return Trim(text);
}

std::string EnglishSystemText(DWORD error) {
    return Utf8(EnglishSystemTextOf(error));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

class LaunchLogExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }

    // Runs the launcher in each language with what the case lays out; the press of OK ends it
    // with the message of the key. Every fact must be in both runs' logs, at the error level.
    static void ExpectStopLoggedInBothLanguages(
        const std::string& key, const std::function<std::vector<std::wstring>()>& arrange,
        const std::function<void(LauncherRun&)>& choose, const std::vector<std::string>& facts) {
        for (const bool chinese : {false, true}) {
            SCOPED_TRACE(chinese ? "Chinese" : "English");
            test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
            const std::vector<std::wstring> environment = arrange();
            ASSERT_TRUE(
                settings.SetString(L"IsUsingEnglishLanguage", chinese ? L"false" : L"true"));
            ASSERT_TRUE(settings.SetString(L"IsWorkbenchTipShow", L"false"));
            test::ClearLaunchLog();
            LauncherRun launcher(environment);
            ASSERT_NE(launcher.Dialog(), nullptr);
            choose(launcher);
            launcher.Press(IDOK);
            HWND box = launcher.WaitForOtherDialog();
            ASSERT_NE(box, nullptr) << launcher.Describe();
            EXPECT_EQ(test::TextOf(box), chinese ? L"错误" : L"Error");
            e2e::Press(box, IDOK);
            EXPECT_TRUE(launcher.WaitForExit());

            const std::vector<std::string> run = LastRun();
            ASSERT_FALSE(run.empty());
            EXPECT_NE(run.front().find(chinese ? "; language Chinese, as stored; log "
                                               : "; language English, as stored; log "),
                      std::string::npos)
                << run.front();
            for (const std::string& fact : facts)
                EXPECT_TRUE(Holds(run, "] error   " + fact)) << fact << "\n" << Joined(run);
            EXPECT_TRUE(Holds(run, "] error   message " + key + " (Error): ")) << Joined(run);
            EXPECT_TRUE(Holds(run, "] info    answer to " + key + ": OK")) << Joined(run);
            EXPECT_NE(
                run.back().find("] info    end: closed after the message " + key + "; exit code 0"),
                std::string::npos)
                << Joined(run);
        }
    }
};

TEST_F(LaunchLogExe, NoVisualStudioIsLoggedWithWhatDiscoveryFound) {
    ExpectStopLoggedInBothLanguages(
        "no-visual-studio", [] { return std::vector<std::wstring>{}; }, [](LauncherRun&) {},
        {"discovery found no Visual Studio 2010 to 2019"});
}

// The start program is there and its header reads as a program's, but Windows cannot start it.
TEST_F(LaunchLogExe, AStartThatFailsIsLoggedWithTheCommandLineAndTheSystemsError) {
    std::unique_ptr<Sandbox> sandbox;
    std::wstring program;
    ExpectStopLoggedInBothLanguages(
        "fluent-start-failed",
        [&] {
            sandbox.reset();
            sandbox =
                std::make_unique<Sandbox>(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
            EXPECT_TRUE(sandbox->ok);
            program = sandbox->fluent.startProgram;
            const std::string image = test::ReadFileBytes(program).value_or("");
            EXPECT_TRUE(test::WriteFileBytes(program, image.substr(0, 1024)));
            return sandbox->Environment();
        },
        [](LauncherRun&) {}, {"start the program: \"", "start program "});
    ASSERT_FALSE(program.empty());
    const std::vector<std::string> run = LastRun();
    EXPECT_TRUE(Holds(run, "] error   start the program: \"" + Utf8(program) + "\" 2d -t1 "))
        << Joined(run);
    // The system's text with the program in its place.
    const std::wstring systemText = EnglishSystemTextOf(ERROR_BAD_EXE_FORMAT);
    EXPECT_NE(systemText.find(L"%1"), std::wstring::npos) << "the case needs an insert";
    EXPECT_TRUE(Holds(run, ": error " + std::to_string(ERROR_BAD_EXE_FORMAT) + ": " +
                               Utf8(FilledSystemText(systemText, program))))
        << Joined(run);
    EXPECT_TRUE(Holds(run, "] error   start program " + Utf8(program) + ": a file")) << Joined(run);
}

// Windows keeps the user's .fluent read-only: it is backed up, but cannot take the add-on's line.
TEST_F(LaunchLogExe, AReadOnlyStartupFileIsLoggedWithItsPathAndTheSystemsError) {
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<e2e::UsersStartupFile> users;
    ExpectStopLoggedInBothLanguages(
        "startup-file-unwritable",
        [&] {
            if (users) ::SetFileAttributesW(users->startup.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (users) ::SetFileAttributesW(users->backup.c_str(), FILE_ATTRIBUTE_NORMAL);
            users.reset();
            sandbox.reset();
            sandbox =
                std::make_unique<Sandbox>(L"fluent25.2.0", L"25.2", test::RunsInWin64Prefix());
            users = std::make_unique<e2e::UsersStartupFile>();
            EXPECT_TRUE(sandbox->ok && users->ok);
            EXPECT_TRUE(::SetFileAttributesW(users->startup.c_str(), FILE_ATTRIBUTE_READONLY));
            return sandbox->Environment();
        },
        [](LauncherRun& launcher) { launcher.Click(IDC_START_BY_WORKBENCH); },
        {"open .fluent to write the add-on's line: ", ".fluent "});
    const std::vector<std::string> run = LastRun();
    EXPECT_TRUE(Holds(run, "] info    .fluent backed up: " + Utf8(users->startup) + " -> " +
                               Utf8(users->backup)))
        << Joined(run);
    // In English, also on a Chinese Windows.
    ASSERT_FALSE(EnglishSystemText(ERROR_ACCESS_DENIED).empty());
    EXPECT_TRUE(
        Holds(run, "] error   open .fluent to write the add-on's line: " + Utf8(users->startup) +
                       ": error 5: " + EnglishSystemText(ERROR_ACCESS_DENIED)))
        << Joined(run);
    ::SetFileAttributesW(users->startup.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributesW(users->backup.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// However the user ends a run, its last line says how.
TEST_F(LaunchLogExe, EachWayTheUserEndsARunIsItsLastLine) {
    struct Case {
        const char* name;
        std::function<bool(LauncherRun&)> end;
        std::string how;
    };
    const std::vector<Case> cases{
        {"Cancel",
         [](LauncherRun& launcher) {
             launcher.Press(IDC_CANCEL);
             return launcher.WaitForExit();
         },
         "cancelled by the user (Cancel or Esc)"},
        {"Esc",
         [](LauncherRun& launcher) {
             launcher.Press(IDCANCEL);
             return launcher.WaitForExit();
         },
         "cancelled by the user (Cancel or Esc)"},
        {"the close box", [](LauncherRun& launcher) { return launcher.Close(); },
         "closed by the user (the window's close box)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
        test::ClearLaunchLog();
        LauncherRun launcher;
        ASSERT_NE(launcher.Dialog(), nullptr);
        ASSERT_TRUE(c.end(launcher));
        const std::vector<std::string> run = LastRun();
        ASSERT_FALSE(run.empty());
        EXPECT_NE(run.back().find("] info    end: " + c.how + "; exit code 0"), std::string::npos)
            << Joined(run);
    }
}

// A run that leaves .fluent as a Workbench start made it, cancelled before anything put it back,
// says so in its last lines with where the user's file is; one that leaves the user's own says
// nothing of it.
TEST_F(LaunchLogExe, ARunThatLeavesTheStartupFileReplacedSaysWhereTheUsersOwnIs) {
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "the loader line left by a Workbench start" : "the user's own");
        const e2e::UsersStartupFile files;
        ASSERT_TRUE(files.ok);
        if (replaced) {
            ASSERT_TRUE(test::WriteFileBytes(files.backup, files.text));
            ASSERT_TRUE(test::WriteFileBytes(files.startup, FastLoadLine));
        }
        test::ScopedRegistryKey settings(HKEY_CURRENT_USER, SettingsKeyPath);
        test::ClearLaunchLog();
        LauncherRun launcher;
        ASSERT_NE(launcher.Dialog(), nullptr);
        launcher.Press(IDC_CANCEL);
        ASSERT_TRUE(launcher.WaitForExit());
        const std::vector<std::string> run = LastRun();
        ASSERT_GE(run.size(), 2u);
        const std::string said =
            "] info    .fluent stays the add-on's loader for Workbench "
            "starts: " +
            Utf8(files.startup) + "; the user's own is kept as " + Utf8(files.backup) +
            " and put back at the next direct start of Fluent from the launcher";
        EXPECT_EQ(run[run.size() - 2].find(said) != std::string::npos, replaced) << Joined(run);
        EXPECT_NE(run.back().find("] info    end: cancelled by the user"), std::string::npos);
        EXPECT_EQ(test::ReadFileBytes(files.startup),
                  replaced ? std::string(FastLoadLine) : files.text);
    }
}

} // namespace
} // namespace qv
