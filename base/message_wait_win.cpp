#include "base/message_wait_win.h"

#include <cwchar>

namespace qv {

namespace {

constexpr wchar_t RefusedProperty[] = L"QuorvexRefusedForAWait";

bool IsDialogWindow(HWND window) {
    wchar_t name[8] = {};
    return window && ::GetClassNameW(window, name, 8) && std::wcscmp(name, L"#32770") == 0;
}

// Dispatches what is queued; false at WM_QUIT, which is posted again.
bool DispatchQueuedMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        // Tab, Esc and Enter work in a dialog as its own loop would have them work.
        HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (IsDialogWindow(root) && ::IsDialogMessageW(root, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

// Controls that take input; labels and group boxes only show it.
bool TakesInput(HWND control) {
    wchar_t name[16] = {};
    ::GetClassNameW(control, name, 16);
    if (::_wcsicmp(name, L"Static") == 0) return false;
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    return !(::_wcsicmp(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX);
}

} // namespace

WaitEnd WaitHandlingMessages(HANDLE handle, DWORD timeoutMs, const std::function<bool()>& done) {
    // Every wait looks at the queue first: a thread that has not looked for five seconds counts
    // as hung, and what is sent to it with SMTO_ABORTIFHUNG (the add-on's close signal) is refused
    // while it does other work between two waits.
    if (!DispatchQueuedMessages()) return WaitEnd::Quit;
    if (done && done()) return WaitEnd::Done;
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
            if (done && done()) return WaitEnd::Done;
            continue;
        }
        // A failed wait must not turn into a busy loop: it counts as the time running out.
        if (woken == WAIT_FAILED) ::Sleep(remaining < 50 ? remaining : 50);
        if (woken == WAIT_TIMEOUT || ::GetTickCount64() >= end) return WaitEnd::TimedOut;
    }
}

bool IsRefusedForAWait(HWND control) {
    return control && ::GetPropW(control, RefusedProperty) != nullptr;
}

InputRefusal::InputRefusal(HWND dialog, HWND stillUsable) : dialog_(dialog), focus_(::GetFocus()) {
    for (HWND control = dialog ? ::GetWindow(dialog, GW_CHILD) : nullptr; control;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (control == stillUsable || !::IsWindowEnabled(control) || !TakesInput(control)) continue;
        ::SetPropW(control, RefusedProperty, reinterpret_cast<HANDLE>(1));
        ::EnableWindow(control, FALSE);
        disabled_.push_back(control);
    }
    if (stillUsable && ::IsWindowEnabled(stillUsable))
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stillUsable), TRUE);
}

InputRefusal::~InputRefusal() {
    for (HWND control : disabled_) {
        ::EnableWindow(control, TRUE);
        ::RemovePropW(control, RefusedProperty);
    }
    // The focus goes back where the user left it, if the dialog still has it.
    if (::IsWindow(dialog_) && ::IsChild(dialog_, focus_) && ::IsWindowEnabled(focus_) &&
        ::IsChild(dialog_, ::GetFocus()))
        ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_), TRUE);
}

} // namespace qv
