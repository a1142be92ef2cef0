// Presses OK in the launcher's main dialog, as a user would, and waits for the launcher to end:
// the headless demo's hand. Exit code 0 once the dialog has gone, 1 when it never showed, 2 when
// it was still there after the wait. Usage: qv_press_ok [seconds to wait, default 60]
#include "resources/resource.h"
#include "tests/fakes/fake_common_win.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(_wtoi(argv[1])) : 60;
    qv::fake::Deadline deadline(seconds * 1000);
    const HWND dialog = qv::fake::WaitForLauncherDialog(deadline);
    if (!dialog) return 1;
    std::wprintf(L"pressing OK\n");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    while (::IsWindow(dialog) && !deadline.Passed())
        ::Sleep(100);
    return ::IsWindow(dialog) ? 2 : 0;
}
