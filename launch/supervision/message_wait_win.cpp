#include "launch/supervision/message_wait_win.h"

namespace qv {

namespace {

// Dispatches what is queued; false at WM_QUIT, which is posted again.
bool DispatchQueuedMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

} // namespace

WaitEnd WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    const DWORD count = handle ? 1 : 0;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD remaining = now >= end ? 0 : static_cast<DWORD>(end - now);
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(
            count, handle ? &handle : nullptr, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count == 1 && woken == WAIT_OBJECT_0) return WaitEnd::Signalled;
        if (woken == WAIT_OBJECT_0 + count) {
            if (!DispatchQueuedMessages()) return WaitEnd::Quit;
            continue;
        }
        // A failed wait must not turn into a busy loop: it counts as the time running out.
        if (woken == WAIT_FAILED) ::Sleep(remaining < 50 ? remaining : 50);
        if (woken == WAIT_TIMEOUT || ::GetTickCount64() >= end) return WaitEnd::TimedOut;
    }
}

InputRefusal::InputRefusal(HWND window)
    : window_(window), wasDisabled_(window && ::EnableWindow(window, FALSE)) {}

InputRefusal::~InputRefusal() {
    if (window_ && !wasDisabled_) ::EnableWindow(window_, TRUE);
}

} // namespace qv
