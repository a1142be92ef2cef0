#include "base/own_windows_win.h"

#include "base/text.h"

namespace qv {

namespace {

bool IsVisibleOwnDialog(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return false;
    wchar_t className[500] = {};
    ::GetClassNameW(window, className, 500);
    return EqualsNoCase(className, L"#32770") || EqualsNoCase(className, L"Button");
}

BOOL CALLBACK TakeFirstVisibleOwnDialog(HWND window, LPARAM found) {
    if (!IsVisibleOwnDialog(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

HWND FirstVisibleOwnDialog() {
    HWND found = nullptr;
    ::EnumWindows(&TakeFirstVisibleOwnDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace qv
