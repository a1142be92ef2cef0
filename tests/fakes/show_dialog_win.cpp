// Brings one of the launcher's dialogs up as a user would and leaves it open, for a screenshot:
//   update  waits for the update dialog the check at start shows
//   about   chooses About in the menu
//   tip     ticks "Start by WorkBench" and presses OK (Fluent 18.2 or later must be chosen)
//   close   presses Cancel in the dialog in front of the main dialog
// Exit code 0 once the dialog shows (or, for close, has gone), 1 when the main dialog never
// showed, 2 when the dialog did not come (or go) in time, 3 for an unknown request.
// Usage: qv_show_dialog update|about|tip|close [seconds to wait, default 30]
#include "resources/resource.h"
#include "tests/fakes/fake_common_win.h"

#include <cwchar>
#include <string_view>

namespace {

struct Search {
    HWND launcher;
    HWND found;
};

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

// A visible dialog of the launcher's process other than its main dialog.
BOOL CALLBACK FindOtherDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (window == search->launcher || std::wcscmp(className, L"#32770") != 0 ||
        !::IsWindowVisible(window) || ProcessOf(window) != ProcessOf(search->launcher))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The dialog in front of the launcher's main dialog: a message, About, the update dialog (on a
// thread of its own) or the Workbench tip.
HWND OtherDialog(HWND launcher) {
    Search search{launcher, nullptr};
    ::EnumWindows(&FindOtherDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Post(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool WaitUntil(const qv::fake::Deadline& deadline, bool (*done)(HWND), HWND launcher) {
    while (!done(launcher) && !deadline.Passed())
        ::Sleep(100);
    return done(launcher);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view request = argc > 1 ? argv[1] : L"";
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 30;
    qv::fake::Deadline deadline(seconds * 1000);
    HWND launcher = nullptr;
    while (!(launcher = qv::fake::FindLauncherDialog()) && !deadline.Passed())
        ::Sleep(100);
    if (!launcher) return 1;
    const auto shown = [](HWND main) { return OtherDialog(main) != nullptr; };
    if (request == L"update") {
    } else if (request == L"about") {
        ::PostMessageW(launcher, WM_COMMAND, MAKEWPARAM(ID_ABOUT, 0), 0);
    } else if (request == L"tip") {
        ::SendMessageW(::GetDlgItem(launcher, IDC_START_BY_WORKBENCH), BM_CLICK, 0, 0);
        Post(launcher, IDOK);
    } else if (request == L"close") {
        if (HWND front = OtherDialog(launcher)) Post(front, IDCANCEL);
        return WaitUntil(
                   deadline, [](HWND main) { return OtherDialog(main) == nullptr; }, launcher)
                   ? 0
                   : 2;
    } else {
        return 3;
    }
    return WaitUntil(deadline, shown, launcher) ? 0 : 2;
}
