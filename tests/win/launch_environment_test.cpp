#include "base/environment_win.h"
#include "launch/launch_environment_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

// Puts the variables a test changes back as they were.
class SavedEnvironment {
public:
    explicit SavedEnvironment(std::vector<std::wstring> names) {
        for (auto& name : names) saved_.push_back({name, FindEnvironmentVariable(name)});
    }
    ~SavedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                SetEnvironmentVariableText(name, *value);
            else
                RemoveEnvironmentVariable(name);
        }
    }

private:
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

const std::vector<std::wstring> Touched{L"lang", L"PATH", L"RELEASE_MAJOR", L"RELEASE_MINOR", L"RELEASE_REVISION",
                                        L"__SharedLauncherWnd__", L"__SharedFluentPathUsed__"};

LaunchEnvironmentInputs Inputs(const wchar_t* release, double version) {
    LaunchEnvironmentInputs in;
    in.fluentFolder = L"C:\\A\\fluent";
    in.releaseName = release;
    in.visualStudioVersion = L"15";
    in.version = version;
    return in;
}

TEST(LaunchEnvironmentWin, SetsTheVariablesInTheLaunchersOwnEnvironment) {
    SavedEnvironment saved(Touched);
    SetEnvironmentVariableText(L"lang", L"en");
    SetEnvironmentVariableText(L"PATH", L"C:\\W;;");
    LaunchEnvironmentInputs in = Inputs(L"fluent22.1.0", 22.1);
    in.launcherWindow = WindowHandleValue(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x0002004C)));
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

TEST(LaunchEnvironmentWin, MissingAndEmptyPathAreToldApart) {
    SavedEnvironment saved(Touched);
    const std::wstring front = L"C:\\A\\fluent\\fluent21.1.0\\addons\\afd\\win64;"
                               L"C:\\A\\fluent\\fluent21.1.0\\multiport\\mpi_wrapper\\win64\\stub";
    RemoveEnvironmentVariable(L"PATH");
    PrepareLaunchEnvironment(Inputs(L"fluent21.1.0", 21.1));
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), front);

    SetEnvironmentVariableText(L"PATH", L"");
    PrepareLaunchEnvironment(Inputs(L"fluent21.1.0", 21.1));
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), front + L";");
}

TEST(LaunchEnvironmentWin, AnOlderLaunchLeavesPathAndReleaseAlone) {
    SavedEnvironment saved(Touched);
    SetEnvironmentVariableText(L"PATH", L"C:\\W");
    SetEnvironmentVariableText(L"RELEASE_MAJOR", L"24");
    LaunchEnvironmentInputs in = Inputs(L"fluent20.2.0", 20.2);
    in.chineseFluent = true;
    PrepareLaunchEnvironment(in);
    EXPECT_EQ(ReadEnvironmentVariable(L"lang"), L"zh");
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), L"C:\\W");
    EXPECT_EQ(ReadEnvironmentVariable(L"RELEASE_MAJOR"), L"24");
}

} // namespace
} // namespace qv
