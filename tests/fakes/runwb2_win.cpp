// Stand-in for Workbench's RunWB2.exe: starts the solver beside it the way Workbench starts
// Fluent, without -i (the add-on then comes in through .fluent), and stays alive as long as the
// solver runs, within a bounded time; without a solver beside it, for that whole time.
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

namespace qv::fake {
namespace {

int Run() {
    const Deadline lifetime(ReadMilliseconds(LifetimeVariable, DefaultLifetimeMs));
    Record record;
    const std::wstring solver = FindSolverIn(FolderOf(ModulePath()));
    const ProcessHandles started =
        solver.empty() ? ProcessHandles{} : StartProgram(solver, L"\"" + solver + L"\" 3ddp -t1");
    record.Add(key::Started, started.process ? solver : L"none");
    if (started.process) record.Add(key::StartedProcessId, std::to_wstring(started.processId));
    record.Write();
    if (started.process)
        ::WaitForSingleObject(started.process.get(), lifetime.Remaining());
    else
        ::Sleep(lifetime.Remaining());
    return started.process ? 0 : 2;
}

} // namespace
} // namespace qv::fake

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return qv::fake::Run();
}
