// The launcher's own windows as the system orders them.
#pragma once

#include <windows.h>

namespace qv {

// The first top-level window, in the system's order, that belongs to this process, is visible
// and whose class is "#32770" or "Button" (ignoring case): the dialog or message box in front,
// nullptr when there is none.
HWND FirstVisibleOwnDialog();
// The same among the windows of one thread of this process: the dialog in front of those that
// thread shows, whatever other threads show above it.
HWND FirstVisibleDialogOfThread(DWORD threadId);

} // namespace qv
