// The solver's module sends no close signal when it could not load or when the launcher window
// does not name the process the launcher started: a launcher that got either wrong must not
// close as if Fluent had come up with the add-on.
#include "base/text.h"
#include "launch/command_line/fluent_command_line.h"
#include "tests/win/fakes_fixture_win.h"

namespace qv::test {
namespace {

using namespace std::chrono_literals;

enum class Fault {
    LoaderScmMissing,
    UserDataOfAnotherProcess,
    LauncherWindowInHex,
    FastLoadLineNotFirst, // Workbench start
    LoaderBinMissing,     // Workbench start
};

struct WithheldCase {
    const char* name;
    Fault fault;
    const wchar_t* failedCheck;
};

bool StartsByWorkbench(Fault fault) {
    return fault == Fault::FastLoadLineNotFirst || fault == Fault::LoaderBinMissing;
}

std::wstring Hexadecimal(HWND window) {
    wchar_t text[32] = {};
    ::swprintf(text, 32, L"0x%llX",
               static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
    return text;
}

void PrintTo(const WithheldCase& c, std::ostream* os) {
    *os << c.name;
}

class WithheldSignal : public FakesTest, public ::testing::WithParamInterface<WithheldCase> {};

TEST_P(WithheldSignal, NoCloseSignalAndTheFailedCheckIsRecorded) {
    const Fault fault = GetParam().fault;
    const Installation installation = LayOut(L"fluent19.3.0", L"19.3", RunsInWin64Prefix());
    ASSERT_TRUE(installation.fluent.complete && installation.product.complete);
    const auto& fluent = installation.fluent;
    const auto& product = installation.product;
    ScopedVariable profile(L"USERPROFILE");
    ScopedVariable productFolder(fake::ProductFolderVariable);
    ScopedVariable wait(fake::WaitVariable);
    ScopedVariable launcherWindow(fake::LauncherWindowVariable);
    ASSERT_TRUE(profile.Set(home_.Path()));
    ASSERT_TRUE(productFolder.Set(product.folder));
    ASSERT_TRUE(wait.Set(L"1500"));
    const std::string line = fake::FastLoadLine;
    ASSERT_TRUE(WriteFileBytes(home_ / L".fluent", fault == Fault::FastLoadLineNotFirst
                                                       ? ";; user settings\n" + line
                                                       : line));
    if (fault == Fault::LoaderScmMissing) {
        ASSERT_TRUE(::DeleteFileW(product.loaderScm.c_str()));
    }
    if (fault == Fault::LoaderBinMissing) {
        ASSERT_TRUE(::DeleteFileW(product.loaderBin.c_str()));
    }
    if (fault == Fault::LauncherWindowInHex) {
        ASSERT_TRUE(launcherWindow.Set(Hexadecimal(launcher_.get())));
    }

    const bool byWorkbench = StartsByWorkbench(fault);
    const std::wstring exe = byWorkbench ? fluent.workbench : fluent.startProgram;
    const ProcessHandles started =
        Start(exe, ComposeFluentCommandLine(byWorkbench, exe, 19.3, product.folder, {}));
    ASSERT_TRUE(started.process);
    const SolverFound solver = FindSolver();
    ASSERT_TRUE(solver.window) << "no Fluent window";
    const DWORD startedId = byWorkbench ? started.processId : solver.processId;
    launcher_.SetUserData(fault == Fault::UserDataOfAnotherProcess ? ::GetCurrentProcessId()
                                                                   : startedId);

    const auto record = SolverRecord(solver.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(GetParam().failedCheck), fake::Fail);
    EXPECT_EQ(record->Value(fake::key::Signal), L"withheld");
    // The record is written after the signal would have been sent; a late one would show here.
    PumpMessages(200ms);
    EXPECT_TRUE(launcher_.Signals().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fakes, WithheldSignal,
    ::testing::Values(
        WithheldCase{"LoaderScmMissing", Fault::LoaderScmMissing, fake::key::LoaderCheck},
        WithheldCase{"UserDataOfAnotherProcess", Fault::UserDataOfAnotherProcess,
                     fake::key::UserDataCheck},
        WithheldCase{"LauncherWindowInHex", Fault::LauncherWindowInHex, fake::key::UserDataCheck},
        WithheldCase{"FastLoadLineNotFirst", Fault::FastLoadLineNotFirst, fake::key::LoaderCheck},
        WithheldCase{"LoaderBinMissing", Fault::LoaderBinMissing, fake::key::LoaderCheck}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qv::test
