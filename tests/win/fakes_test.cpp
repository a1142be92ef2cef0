// The stand-ins for Fluent and Workbench, started as the launcher starts the real ones, pass the
// loader to the solver as one argument, and the solver's module signals the launcher window.
#include "base/text.h"
#include "launch/command_line/fluent_command_line.h"
#include "tests/win/fakes_fixture_win.h"

namespace qv::test {
namespace {

using namespace std::chrono_literals;

enum class Bitness { OfWindows, Only32, Only64 };

struct DirectStartCase {
    const char* name;
    const wchar_t* release;
    const wchar_t* versionText;
    Bitness bitness;
    bool fluentOnD;
    LaunchOptions options;
    std::vector<std::wstring> tokens; // what the solver sees between its name and -i
    bool loaderInQuotes;              // Fluent 6.3 receives the loader path with its quotes
};

LaunchOptions Options(int dimension, int doublePrecision, int processingMode,
                      std::uint32_t processCount = 1) {
    LaunchOptions options;
    options.dimension = static_cast<Dimension>(dimension);
    options.doublePrecision = doublePrecision;
    options.processingMode = static_cast<ProcessingMode>(processingMode);
    options.processCount = processCount;
    return options;
}

void PrintTo(const DirectStartCase& c, std::ostream* os) {
    *os << c.name;
}

class DirectStart : public FakesTest, public ::testing::WithParamInterface<DirectStartCase> {};

TEST_P(DirectStart, LoaderReachesTheSolverAsOneArgumentAndTheModuleSignals) {
    const DirectStartCase& c = GetParam();
    const bool win64 = RunsInWin64Prefix();
    if (c.bitness == Bitness::Only64) {
        ASSERT_TRUE(win64) << "64-bit Fluent needs 64-bit Windows: registered for it only";
    }
    // A 64-bit build of these tests cannot count on starting a 32-bit stand-in: the 32-bit-only
    // release then gets 64-bit ones, which see the same command line.
    const bool is64Bit = c.bitness == Bitness::Only64 ||
                         (c.bitness == Bitness::OfWindows && win64) ||
                         (c.bitness == Bitness::Only32 && TestsAre64Bit);
    const Installation installation = LayOut(c.release, c.versionText, is64Bit, c.fluentOnD);
    ASSERT_TRUE(installation.fluent.complete && installation.product.complete);

    const double version = ReadLeadingDouble(c.versionText);
    const auto& fluent = installation.fluent;
    const auto& product = installation.product;
    const std::wstring exe =
        FluentStartProgram(false, fluent.startProgram, version, product.folder, c.options);
    const std::wstring commandLine =
        ComposeFluentCommandLine(false, fluent.startProgram, version, product.folder, c.options);
    const ProcessHandles starter = Start(exe, commandLine);
    ASSERT_TRUE(starter.process);
    ASSERT_TRUE(WaitUntil([&] { return HasEnded(starter); }, 30s))
        << "the start program does not end";

    const SolverFound solver = FindSolver();
    ASSERT_TRUE(solver.window) << "no Fluent window";
    launcher_.SetUserData(solver.processId);
    ASSERT_TRUE(WaitForSignal()) << "no close signal";
    EXPECT_EQ(launcher_.Signals(), std::vector<WPARAM>{reinterpret_cast<WPARAM>(launcher_.get())});

    const auto record = SolverRecord(solver.processId);
    ASSERT_TRUE(record);
    std::vector<std::wstring> expected = {exe.substr(0, exe.rfind(L'\\')) + L"\\fl2520s.exe"};
    expected.insert(expected.end(), c.tokens.begin(), c.tokens.end());
    expected.push_back(L"-i");
    expected.push_back(c.loaderInQuotes ? L"\"" + product.loaderScm + L"\"" : product.loaderScm);
    EXPECT_EQ(record->Argv(), expected) << record->Value(fake::key::CommandLine);
    EXPECT_EQ(record->Value(fake::key::Loader), product.loaderScm);
    EXPECT_EQ(record->Value(fake::key::LoaderCheck), fake::Pass);
    EXPECT_EQ(record->Value(fake::key::UserDataCheck), fake::Pass);
    EXPECT_EQ(record->Value(fake::key::Signal), L"sent");
    EXPECT_EQ(record->Value(fake::key::Bits), is64Bit ? L"64" : L"32");
    EXPECT_TRUE(EqualsNoCase(record->Value(fake::key::CurrentFolder), home_.Path()));
    EXPECT_EQ(record->Variable(fake::LauncherWindowVariable), launcher_.Decimal());

    const auto starts = ReadFakeRecords(records_.Path(), L"fluent");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Value(fake::key::CommandLine), commandLine);
    EXPECT_TRUE(EqualsNoCase(starts[0].Value(fake::key::Module), exe));
    EXPECT_EQ(starts[0].Value(fake::key::StartedProcessId), std::to_wstring(solver.processId));
}

INSTANTIATE_TEST_SUITE_P(
    Fakes, DirectStart,
    ::testing::Values(DirectStartCase{"Fluent193DoubleSerial",
                                      L"fluent19.3.0",
                                      L"19.3",
                                      Bitness::OfWindows,
                                      false,
                                      Options(1, 1, 0),
                                      {L"3ddp", L"-t0"},
                                      false},
                      DirectStartCase{"Fluent63LoaderInEscapedQuotes",
                                      L"fluent6.3.26",
                                      L"6.3",
                                      Bitness::Only32,
                                      true,
                                      Options(0, 0, 0),
                                      {L"2d"},
                                      true},
                      DirectStartCase{"Fluent212SerialThroughTheAddOnsStartProgram",
                                      L"fluent21.2.0",
                                      L"21.2",
                                      Bitness::Only64,
                                      false,
                                      Options(1, 0, 0),
                                      {L"3d", L"-t0"},
                                      false},
                      DirectStartCase{"Fluent222Parallel",
                                      L"fluent22.2.0",
                                      L"22.2",
                                      Bitness::OfWindows,
                                      true,
                                      Options(1, 0, 1, 4),
                                      {L"3d", L"-t4"},
                                      false}),
    // The runner leaves a case whose name ends in OnWindows64 out of the 32-bit prefix.
    [](const auto& info) {
        return std::string(info.param.name) +
               (info.param.bitness == Bitness::Only64 ? "OnWindows64" : "");
    });

TEST_F(FakesTest, WorkbenchStartLoadsTheModuleThroughTheStartupFile) {
    const Installation installation = LayOut(L"fluent19.3.0", L"19.3", RunsInWin64Prefix());
    ASSERT_TRUE(installation.fluent.complete && installation.product.complete);
    ScopedVariable profile(L"USERPROFILE");
    ScopedVariable productFolder(fake::ProductFolderVariable);
    ASSERT_TRUE(profile.Set(home_.Path()));
    ASSERT_TRUE(productFolder.Set(installation.product.folder));
    ASSERT_TRUE(WriteFileBytes(home_ / L".fluent", fake::FastLoadLine));

    const std::wstring& workbench = installation.fluent.workbench;
    const std::wstring commandLine =
        ComposeFluentCommandLine(true, workbench, 19.3, installation.product.folder, {});
    const ProcessHandles started = Start(workbench, commandLine);
    ASSERT_TRUE(started.process);
    const SolverFound solver = FindSolver();
    ASSERT_TRUE(solver.window) << "no Fluent window";
    // After a Workbench start the launcher records Workbench's process, not Fluent's.
    launcher_.SetUserData(started.processId);
    ASSERT_TRUE(WaitForSignal()) << "no close signal";
    EXPECT_EQ(launcher_.Signals(), std::vector<WPARAM>{reinterpret_cast<WPARAM>(launcher_.get())});

    const auto record = SolverRecord(solver.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::LoaderSource), L".fluent");
    EXPECT_EQ(record->Value(fake::key::Loader), installation.product.loaderBin);
    EXPECT_EQ(record->Value(fake::key::UserData), std::to_wstring(started.processId));
    EXPECT_EQ(record->Value(fake::key::Signal), L"sent");
    const auto workbenchRecord = WaitForFakeRecord(records_.Path(), L"runwb2", started.processId);
    ASSERT_TRUE(workbenchRecord);
    EXPECT_EQ(workbenchRecord->Value(fake::key::CommandLine), Quoted(workbench));
    EXPECT_EQ(workbenchRecord->Variable(fake::LauncherWindowVariable), launcher_.Decimal());
    EXPECT_EQ(workbenchRecord->Value(fake::key::StartedProcessId),
              std::to_wstring(solver.processId));
}

} // namespace
} // namespace qv::test
