// Stand-in for Fluent's start program fluent.exe: starts the solver that lies beside it with its
// own arguments passed on exactly as it received them, waits until the solver's window shows and
// ends, as Fluent's start program does. Its exit code: 0 once the window showed, 2 without a
// solver, 3 when the window did not show within the wait (QV_FAKE_START_WAIT_MS). With
// QV_FAKE_START_EXIT_CODE it starts no solver and ends at once with that code, leaving the
// program QV_FAKE_START_HELPER names running, if any.
#include "base/environment_win.h"
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

#include <cstdlib>

namespace qv::fake {
namespace {

constexpr DWORD SolverWindowWaitMs = 30000;

int Run() {
    Record record;
    const std::wstring fails = ReadEnvironmentVariable(StartFailsVariable);
    if (!fails.empty()) {
        const std::wstring helper = ReadEnvironmentVariable(StartHelperVariable);
        const ProcessHandles left =
            helper.empty() ? ProcessHandles{} : StartProgram(helper, L"\"" + helper + L"\"");
        record.Add(key::Started, left.process ? helper : L"none");
        record.Write();
        return _wtoi(fails.c_str());
    }
    const std::wstring solver = FindSolverIn(FolderOf(ModulePath()));
    const std::wstring arguments(ArgumentsOf(::GetCommandLineW(), ModulePath()));
    const ProcessHandles started = solver.empty()
                                       ? ProcessHandles{}
                                       : StartProgram(solver, L"\"" + solver + L"\"" + arguments);
    record.Add(key::Started, started.process ? solver : L"none");
    if (!started.process) {
        record.Write();
        return 2;
    }
    record.Add(key::StartedProcessId, std::to_wstring(started.processId));
    const bool shown =
        WaitForSolverWindow(started, ReadMilliseconds(StartWaitVariable, SolverWindowWaitMs)) !=
        nullptr;
    record.Add(key::StartedWindow, shown ? L"shown" : L"not-shown");
    record.Write();
    return shown ? 0 : 3;
}

} // namespace
} // namespace qv::fake

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return qv::fake::Run();
}
