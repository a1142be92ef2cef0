// Holds a file open the way another program may, for tests of what the launcher does to files
// it cannot have. Usage: file_holder <path> <exclusive | read-only>
//   exclusive: nobody else may open the file at all;
//   read-only: others may read it, but neither write nor delete it.
// It holds the file for QV_FAKE_LIFETIME_MS (default 60 s) and ends; exit code 2 when the file
// cannot be opened within a few seconds (the test may still be looking at it).
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace qv::fake;
    const auto arguments = CrtArguments();
    if (arguments.size() != 3) return 2;
    const DWORD sharing = arguments[2] == L"read-only" ? FILE_SHARE_READ : 0;
    qv::UniqueFile file;
    for (const Deadline deadline(5000); !file && !deadline.Passed(); ::Sleep(20))
        file.reset(::CreateFileW(arguments[1].c_str(), GENERIC_READ, sharing, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 2;
    ::Sleep(ReadMilliseconds(LifetimeVariable, DefaultLifetimeMs));
    return 0;
}
