// A Workbench started by a launcher is recognised by __SharedLauncherWnd__ in its environment,
// read out of its memory: for real on 32-bit Windows; on 64-bit Windows the 32-bit launcher
// needs functions Wine lacks, and the reading fails cleanly.
#include "base/system_win.h"
#include "launch/workbench/workbench_tracking_win.h"
#include "tests/win/fakes_fixture_win.h"

namespace qv::test {
namespace {

class WorkbenchTracking : public FakesTest {
  protected:
    // The Workbench stand-in alone (no solver beside it), named as given, with or without the
    // launcher's variable (a value, or "" for none).
    ProcessHandles StartWorkbench(const std::wstring& name, const std::wstring& variable,
                                  const std::wstring& value) {
        const std::wstring exe = cDrive_ / (L"wb" + std::to_wstring(++count_) + L"\\" + name);
        EXPECT_TRUE(PlaceFakeProgram(fakes_, L"RunWB2.exe", RunsInWin64Prefix(), exe));
        StartOptions options;
        options.environmentChanges = {std::wstring(fake::LauncherWindowVariable) + L"=",
                                      variable + L"=" + value};
        ProcessHandles started = StartProgram(exe, L"\"" + exe + L"\"", options);
        // Running once it has recorded itself.
        EXPECT_TRUE(WaitForFakeRecord(records_.Path(), L"runwb2", started.processId));
        return started;
    }
    ~WorkbenchTracking() override {
        for (const auto& started : started_) {
            ::TerminateProcess(started.process.get(), 0);
            ::WaitForSingleObject(started.process.get(), 5000);
        }
    }
    void Keep(ProcessHandles started) { started_.push_back(std::move(started)); }

    ScriptedPrompts prompts_;
    std::vector<ProcessHandles> started_;
    int count_ = 0;
};

TEST_F(WorkbenchTracking, ReadsTheLaunchersVariableOfARunningWorkbenchOnWindows32) {
    ASSERT_FALSE(IsWindows64Bit());
    // None running: none counted.
    EXPECT_FALSE(IsWorkbenchRunningForLauncher(launcher_.get()));

    // Started from a command prompt: no variable, not counted.
    ProcessHandles plain = StartWorkbench(L"RunWB2.exe", L"UNRELATED", L"1");
    ASSERT_TRUE(plain.process);
    const RemoteVariable none = ReadRemoteEnvironmentVariable(
        false, launcher_.get(), plain.processId, fake::LauncherWindowVariable);
    EXPECT_EQ(none.result, 0);
    EXPECT_FALSE(IsWorkbenchRunningForLauncher(launcher_.get()));
    // Its other variables are read all the same: the block was found.
    const RemoteVariable other =
        ReadRemoteEnvironmentVariable(false, launcher_.get(), plain.processId, L"unrelated");
    EXPECT_EQ(other.result, 1);
    EXPECT_EQ(other.value, L"1");
    Keep(std::move(plain));

    // Started by a launcher, under the lower-case name, the variable written in another case.
    ProcessHandles launched = StartWorkbench(L"runwb2.exe", L"__sharedlauncherwnd__", L"655794");
    ASSERT_TRUE(launched.process);
    const RemoteVariable found = ReadRemoteEnvironmentVariable(
        false, launcher_.get(), launched.processId, fake::LauncherWindowVariable);
    EXPECT_EQ(found.result, 6);
    EXPECT_EQ(found.value, L"655794");
    EXPECT_TRUE(IsWorkbenchRunningForLauncher(launcher_.get()));
    EXPECT_TRUE(prompts_.messages.empty());
    Keep(std::move(launched));
}

TEST_F(WorkbenchTracking, ReadingFromA32BitLauncherFailsCleanlyOnWindows64) {
    ASSERT_TRUE(IsWindows64Bit());
    ProcessHandles launched = StartWorkbench(L"RunWB2.exe", fake::LauncherWindowVariable, L"12");
    ASSERT_TRUE(launched.process);
    const RemoteVariable read = ReadRemoteEnvironmentVariable(
        true, launcher_.get(), launched.processId, fake::LauncherWindowVariable);
    EXPECT_EQ(read.result, -1);
    EXPECT_EQ(read.value, L"");
    // A Workbench that cannot be read may be one a launcher started: it counts.
    EXPECT_TRUE(IsWorkbenchRunningForLauncher(launcher_.get()));
    EXPECT_TRUE(prompts_.messages.empty());
    Keep(std::move(launched));
}

TEST_F(WorkbenchTracking, AProcessThatCannotBeOpenedIsReportedAndCounts) {
    // An identifier no process has: it opens nothing.
    const DWORD id = 0x7FFFFFFC;
    const RemoteVariable read = ReadRemoteEnvironmentVariable(IsWindows64Bit(), launcher_.get(), id,
                                                              fake::LauncherWindowVariable);
    EXPECT_EQ(read.result, -1);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text,
              L"Can't open process when getting remote environment variable.");
    EXPECT_EQ(prompts_.messages[0].caption, L"Error");
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TOPMOST));
    EXPECT_EQ(prompts_.messages[0].owner, launcher_.get());
}

} // namespace
} // namespace qv::test
