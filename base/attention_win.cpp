#include "base/attention_win.h"

#include "base/launch_log_win.h"

#include <string>

namespace qv {

bool DrawAttentionIfBehind(HWND window) {
    const HWND front = ::GetForegroundWindow();
    DWORD frontProcess = 0;
    if (!front || !::GetWindowThreadProcessId(front, &frontProcess) ||
        frontProcess == ::GetCurrentProcessId())
        return false;
    const HWND root = window ? ::GetAncestor(window, GA_ROOTOWNER) : nullptr;
    if (!root) return false;
    // Until the window comes to the front, however long the user takes.
    FLASHWINFO flash{sizeof(flash), root, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
    Log(L"another program is in front (process " + std::to_wstring(frontProcess) +
        L"): the launcher's taskbar button flashes until the user comes to it");
    return true;
}

} // namespace qv
