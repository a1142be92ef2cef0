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
#include "tests/support/top_level_windows_win.h"

#include <string_view>

namespace {

// The dialog in front of the launcher's main dialog: a message, About, the update dialog (on a
// thread of its own) or the Workbench tip.
HWND OtherDialog(HWND launcher) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(launcher, &process);
    for (HWND window : qv::test::TopLevelWindowsOf(process))
        if (window != launcher && qv::test::ClassNameOf(window) == L"#32770") return window;
    return nullptr;
}

void Post(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Until a dialog is in front of the launcher's, or none is; whether it came to that in time.
bool WaitForOtherDialog(HWND launcher, bool shown, const qv::fake::Deadline& deadline) {
    while ((OtherDialog(launcher) != nullptr) != shown) {
        if (deadline.Passed()) return false;
        ::Sleep(100);
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view request = argc > 1 ? argv[1] : L"";
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 30;
    const qv::fake::Deadline deadline(seconds * 1000);
    const HWND launcher = qv::fake::WaitForLauncherDialog(deadline);
    if (!launcher) return 1;
    if (request == L"about") {
        ::PostMessageW(launcher, WM_COMMAND, MAKEWPARAM(ID_ABOUT, 0), 0);
    } else if (request == L"tip") {
        ::SendMessageW(::GetDlgItem(launcher, IDC_START_BY_WORKBENCH), BM_CLICK, 0, 0);
        Post(launcher, IDOK);
    } else if (request == L"close") {
        if (HWND front = OtherDialog(launcher)) Post(front, IDCANCEL);
        return WaitForOtherDialog(launcher, false, deadline) ? 0 : 2;
    } else if (request != L"update") {
        return 3;
    }
    return WaitForOtherDialog(launcher, true, deadline) ? 0 : 2;
}
