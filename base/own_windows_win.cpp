#include "base/own_windows_win.h"

#include "base/text.h"

namespace qv {

namespace {

struct Search {
    DWORD threadId = 0; // 0: any thread of this process
    HWND found = nullptr;
};

bool IsVisibleOwnDialog(HWND window, DWORD threadId) {
    DWORD processId = 0;
    const DWORD windowThread = ::GetWindowThreadProcessId(window, &processId);
    if (processId != ::GetCurrentProcessId() || (threadId != 0 && windowThread != threadId) ||
        !::IsWindowVisible(window))
        return false;
    wchar_t className[500] = {};
    ::GetClassNameW(window, className, 500);
    return EqualsNoCase(className, L"#32770") || EqualsNoCase(className, L"Button");
}

BOOL CALLBACK TakeFirstVisibleOwnDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IsVisibleOwnDialog(window, search->threadId)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FirstVisibleDialog(DWORD threadId) {
    Search search{threadId};
    ::EnumWindows(&TakeFirstVisibleOwnDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

HWND FirstVisibleOwnDialog() {
    return FirstVisibleDialog(0);
}

HWND FirstVisibleDialogOfThread(DWORD threadId) {
    return threadId == 0 ? nullptr : FirstVisibleDialog(threadId);
}

} // namespace qv
