#include "base/environment_win.h"
#include "launch/command_line/launch_environment_win.h"
#include "tests/support/launch_log_reading_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace qv {
namespace {

// Every variable the launch environment may set or remove, owned by each test.
class LaunchEnvironmentWin : public ::testing::Test {
  protected:
    LaunchEnvironmentWin() {
        for (const wchar_t* name :
             {L"lang", L"PATH", L"RELEASE_MAJOR", L"RELEASE_MINOR", L"RELEASE_REVISION",
              L"__SharedLauncherWnd__", L"__SharedCallCoolProp__", L"__SharedCallFortran__",
              L"__SharedCallMatlab__", L"__SharedDynamicLinkMatlab__", L"__SharedFluentPathUsed__",
              L"__SharedQuorvexVsUsed__"})
            touched_.emplace_back(name);
    }

  private:
    std::deque<test::ScopedVariable> touched_;
};

LaunchEnvironmentInputs Inputs(const wchar_t* release, double version) {
    LaunchEnvironmentInputs in;
    in.fluentFolder = L"C:\\A\\fluent";
    in.releaseName = release;
    in.visualStudioVersion = L"15";
    in.version = version;
    return in;
}

TEST_F(LaunchEnvironmentWin, SetsTheVariablesInTheLaunchersOwnEnvironment) {
    ASSERT_TRUE(SetEnvironmentVariableText(L"lang", L"en"));
    ASSERT_TRUE(SetEnvironmentVariableText(L"PATH", L"C:\\W;;"));
    LaunchEnvironmentInputs in = Inputs(L"fluent22.1.0", 22.1);
    in.launcherWindow =
        WindowHandleValue(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x0002004C)));
    PrepareLaunchEnvironment(in);

    EXPECT_FALSE(FindEnvironmentVariable(L"lang").has_value());
    EXPECT_EQ(ReadEnvironmentVariable(L"__SharedLauncherWnd__"), L"131148");
    EXPECT_EQ(ReadEnvironmentVariable(L"__SharedFluentPathUsed__"), L"C:\\A\\fluent");
    EXPECT_EQ(ReadEnvironmentVariable(L"__SharedQuorvexVsUsed__"), L"15");
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"),
              L"C:\\A\\fluent\\fluent22.1.0\\addons\\afd\\win64;"
              L"C:\\A\\fluent\\fluent22.1.0\\multiport\\mpi_wrapper\\win64\\stub;C:\\W");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_MAJOR"), L"22");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_MINOR"), L"1");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_REVISION"), L"0");
}

// The log says what a removal took away, from what and why; a Chinese Fluent sets lang instead.
TEST_F(LaunchEnvironmentWin, TheLogSaysWhatItRemovedAndWhy) {
    const std::wstring removed = L"removed the variable lang from the environment the started "
                                 L"program inherits (Chinese Fluent off)";
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese Fluent" : "English Fluent");
        test::ClearLaunchLog();
        LaunchEnvironmentInputs in = Inputs(L"fluent22.1.0", 22.1);
        in.chineseFluent = chinese;
        PrepareLaunchEnvironment(in);
        const std::wstring log = test::ReadLaunchLog();
        EXPECT_EQ(log.find(removed) != std::wstring::npos, !chinese) << log;
        EXPECT_EQ(log.find(L"set lang=zh") != std::wstring::npos, chinese) << log;
    }
}

TEST_F(LaunchEnvironmentWin, MissingAndEmptyPathAreToldApart) {
    const std::wstring front = L"C:\\A\\fluent\\fluent21.1.0\\addons\\afd\\win64;"
                               L"C:\\A\\fluent\\fluent21.1.0\\multiport\\mpi_wrapper\\win64\\stub";
    ASSERT_TRUE(RemoveEnvironmentVariable(L"PATH"));
    PrepareLaunchEnvironment(Inputs(L"fluent21.1.0", 21.1));
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), front);

    ASSERT_TRUE(SetEnvironmentVariableText(L"PATH", L""));
    PrepareLaunchEnvironment(Inputs(L"fluent21.1.0", 21.1));
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), front + L";");
}

TEST_F(LaunchEnvironmentWin, AnOlderLaunchLeavesPathAndReleaseAlone) {
    ASSERT_TRUE(SetEnvironmentVariableText(L"PATH", L"C:\\W"));
    ASSERT_TRUE(SetEnvironmentVariableText(L"RELEASE_MAJOR", L"24"));
    LaunchEnvironmentInputs in = Inputs(L"fluent20.2.0", 20.2);
    in.chineseFluent = true;
    PrepareLaunchEnvironment(in);
    EXPECT_EQ(ReadEnvironmentVariable(L"lang"), L"zh");
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), L"C:\\W");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_MAJOR"), L"24");
}

} // namespace
} // namespace qv
