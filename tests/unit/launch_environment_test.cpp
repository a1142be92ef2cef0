#include "launch/command_line/launch_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {

// Readable failure output for the change lists.
void PrintTo(const EnvironmentChange& change, std::ostream* out) {
    *out << std::string(change.name.begin(), change.name.end()) << "=";
    if (change.value)
        *out << '"' << std::string(change.value->begin(), change.value->end()) << '"';
    else
        *out << "(removed)";
}
bool operator==(const EnvironmentChange& a, const EnvironmentChange& b) {
    return a.name == b.name && a.value == b.value;
}

namespace {

LaunchEnvironmentInputs Inputs(const wchar_t* release, double version, int mode = 0) {
    LaunchEnvironmentInputs in;
    in.fluentFolder = L"C:\\A\\fluent";
    in.releaseName = release;
    in.visualStudioVersion = L"16";
    in.version = version;
    in.options.processingMode = static_cast<ProcessingMode>(mode);
    in.launcherWindow = 0x000A01B2;
    return in;
}

std::vector<std::wstring> Names(const std::vector<EnvironmentChange>& changes) {
    std::vector<std::wstring> names;
    for (const auto& change : changes)
        names.push_back(change.name);
    return names;
}

TEST(LaunchEnvironment, EveryVariableInOrderForASerialRunOf22_1) {
    LaunchEnvironmentInputs in = Inputs(L"fluent22.1.0", 22.1);
    in.options.callCoolProp = 1;
    in.options.callMatlab = 1;
    in.options.linkMode = MatlabLink::Dynamic;
    in.chineseFluent = true;
    const std::vector<EnvironmentChange> expected{
        {L"lang", L"zh"},
        {L"__SharedLauncherWnd__", L"655794"},
        {L"__SharedCallCoolProp__", L"1"},
        {L"__SharedCallFortran__", L"0"},
        {L"__SharedCallMatlab__", L"1"},
        {L"__SharedDynamicLinkMatlab__", L"1"},
        {L"__SharedFluentPathUsed__", L"C:\\A\\fluent"},
        {L"__SharedQuorvexVsUsed__", L"16"},
        {L"PATH", L"C:\\A\\fluent\\fluent22.1.0\\addons\\afd\\win64;"
                  L"C:\\A\\fluent\\fluent22.1.0\\multiport\\mpi_wrapper\\win64\\stub;C:\\W"},
        {L"RELEASE_MAJOR", L"22"},
        {L"RELEASE_MINOR", L"1"},
        {L"RELEASE_REVISION", L"0"},
    };
    EXPECT_EQ(ComputeLaunchEnvironment(in, std::wstring(L"C:\\W")), expected);
}

TEST(LaunchEnvironment, LangIsRemovedUnlessChineseFluentIsChecked) {
    const auto changes = ComputeLaunchEnvironment(Inputs(L"fluent19.2.0", 19.2), std::nullopt);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front(), (EnvironmentChange{L"lang", std::nullopt}));
}

TEST(LaunchEnvironment, FluentFoldersGoInFrontOfTheTrimmedPath) {
    struct Case {
        std::optional<std::wstring> oldPath;
        std::wstring tail;
    };
    const std::wstring front = L"C:\\A\\fluent\\fluent21.1.0\\addons\\afd\\win64;"
                               L"C:\\A\\fluent\\fluent21.1.0\\multiport\\mpi_wrapper\\win64\\stub";
    for (const Case& c : std::vector<Case>{{std::wstring(L"C:\\W;;"), L";C:\\W"},
                                           {std::wstring(L"C:\\W\\;/"), L";C:\\W"},
                                           {std::wstring(L"C:\\W;C:\\X\\"), L";C:\\W;C:\\X"},
                                           {std::wstring(L""), L";"},
                                           {std::nullopt, L""}}) {
        const auto changes = ComputeLaunchEnvironment(Inputs(L"fluent21.1.0", 21.1), c.oldPath);
        ASSERT_EQ(changes.size(), 9u);
        EXPECT_EQ(changes.back(), (EnvironmentChange{L"PATH", front + c.tail}));
    }
}

TEST(LaunchEnvironment, PathTrimmingTakesSlashesThenBackslashes) {
    struct Case {
        const wchar_t* path;
        const wchar_t* trimmed;
    };
    for (const Case& c : std::vector<Case>{{L"C:\\W;;", L"C:\\W"},
                                           {L"C:\\W/;/", L"C:\\W"},
                                           {L"C:\\W\\;/;", L"C:\\W"},
                                           {L"C:\\W/;\\", L"C:\\W/"},
                                           {L"C:\\;", L"C:"},
                                           {L";;/\\", L";;/"},
                                           {L"", L""}})
        EXPECT_EQ(TrimPathForPrepending(c.path), c.trimmed) << c.path;
}

TEST(LaunchEnvironment, VersionAndModeDecideWhatFollowsTheSharedVariables) {
    const std::vector<std::wstring> shared =
        Names(ComputeLaunchEnvironment(Inputs(L"fluent20.2.0", 20.2), std::nullopt));
    ASSERT_EQ(shared.size(), 8u);
    std::vector<std::wstring> withPath = shared;
    withPath.push_back(L"PATH");
    std::vector<std::wstring> withRelease = withPath;
    withRelease.insert(withRelease.end(),
                       {L"RELEASE_MAJOR", L"RELEASE_MINOR", L"RELEASE_REVISION"});

    struct Case {
        const wchar_t* release;
        double version;
        int mode;
        const std::vector<std::wstring>& names;
    };
    for (const Case& c : std::vector<Case>{{L"fluent20.2.0", 20.2, 0, shared},
                                           {L"fluent21.0.9", 21.09, 0, shared},
                                           {L"fluent21.1.0", 21.091, 0, withPath},
                                           {L"fluent21.1.0", 21.1, 0, withPath},
                                           {L"fluent21.1.0", 21.19, 0, withPath},
                                           {L"fluent21.2.0", 21.191, 0, withRelease},
                                           {L"fluent21.2.0", 21.2, 0, withRelease},
                                           {L"fluent25.2.0", 25.2, 0, withRelease},
                                           {L"fluent21.2.0", 21.2, 1, shared},
                                           {L"fluent25.2.0", 25.2, 1, shared}})
        EXPECT_EQ(Names(ComputeLaunchEnvironment(Inputs(c.release, c.version, c.mode),
                                                 std::wstring(L"C:\\W"))),
                  c.names)
            << c.version << " mode " << c.mode;
}

TEST(LaunchEnvironment, FullVersionSplitsAtTheFirstTwoDots) {
    struct Case {
        const wchar_t* text;
        ReleaseParts parts;
    };
    for (const Case& c : std::vector<Case>{{L"21.2.0", {L"21", L"2", L"0"}},
                                           {L"25.2.10", {L"25", L"2", L"10"}},
                                           {L"22.1.0.5", {L"22", L"1", L"0.5"}},
                                           {L"22.1", {L"22", L"1", L""}},
                                           {L"22", {L"22", L"", L""}},
                                           {L"", {L"", L"", L""}}}) {
        const ReleaseParts parts = SplitFullVersion(c.text);
        EXPECT_EQ(parts.major, c.parts.major) << c.text;
        EXPECT_EQ(parts.minor, c.parts.minor) << c.text;
        EXPECT_EQ(parts.revision, c.parts.revision) << c.text;
    }
}

TEST(LaunchEnvironment, WindowHandleIsSignedDecimal) {
    struct Case {
        std::uint32_t handle;
        const wchar_t* text;
    };
    for (const Case& c : std::vector<Case>{{0, L"0"},
                                           {0x000A01B2, L"655794"},
                                           {0x7FFFFFFF, L"2147483647"},
                                           {0x80000000u, L"-2147483648"},
                                           {0xFFFFFFFFu, L"-1"}})
        EXPECT_EQ(WindowHandleText(c.handle), c.text);
}

} // namespace
} // namespace qv
