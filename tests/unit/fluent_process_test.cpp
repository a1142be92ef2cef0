#include "launch/supervision/fluent_process.h"
#include "launch/record/fluent_releases.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

TEST(FluentProcess, ExecutableNames) {
    const std::vector<std::pair<const wchar_t*, bool>> names{
        {L"fl2520s.exe", true}, {L"FL1210S.EXE", true}, {L"fl191s.exe", true},
        {L"flxs.exe", true},    {L"fls.exe", false}, // "s.exe" at the third character
        {L"fl2520.exe", false}, {L"cx2520.exe", true},  {L"CX.exe", false},
        {L"cx.exe.bak", false}, {L"cxa.exe", true}, // ".exe" at the fourth character
        {L"cx.exe", false},     {L"fluent.exe", false}, {L"xfl2520s.exe", false},
        {L"", false},
    };
    for (const auto& [name, fluent] : names)
        EXPECT_EQ(IsFluentExecutableName(name), fluent) << name;
}

TEST(FluentProcess, MainWindowClassesAndTitles) {
    for (const wchar_t* name : {L"Qt51517QWindowIcon", L"AfxFrameOrView140u", L"QWidget",
                                L"Qt5QWindowIcon", L"Qt51516QWindowIcon", L"Qt51518QWindowIcon"})
        EXPECT_TRUE(IsFluentWindowClass(name)) << name;
    for (const wchar_t* name : {L"qwidget", L"Qt6QWindowIcon", L"Afx:00000000", L"#32770", L""})
        EXPECT_FALSE(IsFluentWindowClass(name)) << name;
    EXPECT_TRUE(IsFluentWindowTitle(L"ANSYS FLUENT [3d, dp]"));
    EXPECT_TRUE(IsFluentWindowTitle(L"fluent"));
    EXPECT_FALSE(IsFluentWindowTitle(L"ANSYS Workbench"));
    EXPECT_FALSE(IsFluentWindowTitle(L""));
}

TEST(FluentProcess, TheLastProcessThatDidNotRunBefore) {
    using Processes = std::vector<ProcessIdentity>;
    struct Case {
        Processes before, now;
        std::optional<std::uint32_t> chosen;
    };
    const std::vector<Case> cases{
        {{}, {}, std::nullopt},
        {{}, {{40, 1}}, 40},
        {{}, {{40, 1}, {52, 1}}, 52},
        {{{40, 1}}, {{40, 1}}, std::nullopt}, // another Fluent that ran before is never chosen
        {{{40, 1}}, {{40, 1}, {52, 2}, {60, 3}}, 60},
        {{{40, 1}, {60, 1}}, {{52, 2}, {40, 1}, {60, 1}}, 52},
        {{{40, 1}}, {}, std::nullopt},
        // A new process that got the id of one that ended meanwhile is new all the same.
        {{{40, 1}}, {{40, 7}}, 40},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseNewFluentProcess(c.before, c.now), c.chosen);
}

TEST(FluentProcess, OnlyParallelFluent12LoadsThroughItsConsole) {
    LaunchOptions parallel;
    parallel.processingMode = ProcessingMode::Parallel;
    const LaunchOptions serial;
    for (double version : {12.0, 12.1})
        EXPECT_TRUE(LoadsThroughConsole(version, parallel)) << version;
    for (double version : {6.3, 13.0, 11.99})
        EXPECT_FALSE(LoadsThroughConsole(version, parallel)) << version;
    EXPECT_FALSE(LoadsThroughConsole(12.1, serial));
    EXPECT_EQ(ConsoleLoadCommand(L"D:\\Q"), L"(open-udf-library \"D:\\Q\\addon\")");
}

TEST(FluentProcess, ConsoleIsAMultiLineEditInFluent12sFrame) {
    EXPECT_TRUE(IsFluentConsole(L"Edit", true, L"Afx:00000000:8:10003:0:0"));
    EXPECT_TRUE(IsFluentConsole(L"RichEdit20W", true, L"AfxFrameOrView42"));
    EXPECT_FALSE(IsFluentConsole(L"Edit", false, L"Afx:00000000:8"));      // single line
    EXPECT_FALSE(IsFluentConsole(L"Edit", true, L"Notepad"));              // another program's
    EXPECT_FALSE(IsFluentConsole(L"Edit", true, L"Afx:00400000:8:10003")); // not Fluent 12's
    EXPECT_FALSE(IsFluentConsole(L"Static", true, L"AfxFrameOrView42"));
}

} // namespace
} // namespace qv
