// Stand-in for the launcher as a program that starts others: a Windows program without a console
// of its own, starting one through the launcher's own start, hidden:
//   Starter.exe <unseen|seen> <program>
// ("unseen" as the launcher's helpers start, "seen" as Fluent does). Waits at most 60 s for the
// program to end. Exit code 1 for bad arguments, 2 when the start fails.
#include "base/program_start_win.h"
#include "tests/fakes/fake_common_win.h"

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::wstring> arguments = qv::fake::CrtArguments();
    if (arguments.size() != 3 || (arguments[1] != L"unseen" && arguments[1] != L"seen")) return 1;
    const std::wstring& program = arguments[2];
    const qv::ProcessHandles started =
        qv::StartProcess({program, L"\"" + program + L"\"", SW_HIDE, arguments[1] == L"unseen"});
    if (!started.process) return 2;
    ::WaitForSingleObject(started.process.get(), 60000);
    return 0;
}
