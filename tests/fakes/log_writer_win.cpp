// Stand-in for a launcher's run as the launch log sees it, so that tests can run several at once:
//   LogWriter.exe <name> <entries> <entry length> [<halfway event> <go on event> | exiting]
// Starts its run ("start: log writer <name>"), writes the entries ("<name> entry <i> xxx..."
// padded to the length), and ends its run. With the two events it signals the first once half the
// entries are written and waits (at most 60 s) for the second before the rest. With "exiting" a
// second thread logs ("<name> from a thread <i>") from before the first entry until the process
// has ended, as the launcher's update check may. Exit code 1 for bad arguments, 3 when an event
// cannot be had.
#include "base/launch_log_win.h"
#include "base/text.h"
#include "tests/fakes/fake_common_win.h"

#include <string>
#include <thread>
#include <vector>

namespace {

bool PauseHalfway(const std::wstring& halfway, const std::wstring& goOn) {
    const qv::UniqueHandle reached(::OpenEventW(EVENT_MODIFY_STATE, FALSE, halfway.c_str()));
    const qv::UniqueHandle resume(::OpenEventW(SYNCHRONIZE, FALSE, goOn.c_str()));
    return reached && resume && ::SetEvent(reached.get()) &&
           ::WaitForSingleObject(resume.get(), 60000) == WAIT_OBJECT_0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::wstring> arguments = qv::fake::CrtArguments();
    std::uint32_t entries = 0, length = 0;
    const bool exiting = arguments.size() == 5 && arguments[4] == L"exiting";
    if ((arguments.size() != 4 && arguments.size() != 6 && !exiting) ||
        !qv::ParseUnsigned(arguments[2], entries) || !qv::ParseUnsigned(arguments[3], length))
        return 1;
    const std::wstring& name = arguments[1];
    qv::LogRunStart(L"log writer " + name);
    if (exiting)
        std::thread([name] {
            for (unsigned i = 0;; ++i)
                qv::Log(name + L" from a thread " + std::to_wstring(i));
        }).detach();
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (arguments.size() == 6 && i == entries / 2 && !PauseHalfway(arguments[4], arguments[5]))
            return 3;
        std::wstring entry = name + L" entry " + std::to_wstring(i) + L" ";
        if (entry.size() < length) entry.append(length - entry.size(), L'x');
        qv::Log(entry);
    }
    qv::NoteRunEnding(L"all entries written");
    qv::LogRunEnd(0);
    return 0;
}
