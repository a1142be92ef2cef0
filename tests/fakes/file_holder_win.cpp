// Stand-in for another program that holds a file while the launcher works on it:
//   FileHolder.exe <how> <path> <ready event> [<milliseconds>]
// how: "exclusive" opens it for reading and shares nothing; "read-only" opens it for reading and
// lets others read it, but neither write nor delete it (as Fluent holds its start-up file);
// "attributes" opens it only to read its attributes, sharing everything (as indexers and virus
// scanners do); "tail" opens it for reading and lets others read and write it, but not rename or
// delete it (as a program that follows a log does); "image" maps it as a program image (as a
// loaded library is). Signals the named
// event once it holds the file, then holds it for the milliseconds given (a scanner's moment), else
// for QV_FAKE_LIFETIME_MS (default 60 s), or until it is ended. Exit code 2 when it cannot get hold
// of the file.
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Hold {
    qv::UniqueFile file;
    HMODULE image = nullptr;
    bool Holds() const { return static_cast<bool>(file) || image != nullptr; }
};

Hold Take(const std::wstring& how, const std::wstring& path) {
    Hold hold;
    if (how == L"exclusive") {
        hold.file.reset(
            ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    } else if (how == L"read-only") {
        hold.file.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    } else if (how == L"tail") {
        hold.file.reset(::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    } else if (how == L"attributes") {
        hold.file.reset(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    } else if (how == L"image") {
        hold.image = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    return hold;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::wstring> arguments = qv::fake::CrtArguments();
    if (arguments.size() != 4 && arguments.size() != 5) return 1;
    const Hold hold = Take(arguments[1], arguments[2]);
    if (!hold.Holds()) return 2;
    const qv::UniqueHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments[3].c_str()));
    if (!ready || !::SetEvent(ready.get())) return 3;
    const DWORD lifetime =
        arguments.size() == 5
            ? static_cast<DWORD>(std::wcstoul(arguments[4].c_str(), nullptr, 10))
            : qv::fake::ReadMilliseconds(qv::fake::LifetimeVariable, qv::fake::DefaultLifetimeMs);
    ::Sleep(lifetime);
    return 0;
}
