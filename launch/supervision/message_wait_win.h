// Waiting on the dialog's thread without freezing the dialog: its windows go on painting and
// answering messages (the add-on's close signal among them) while the thread waits.
#pragma once

#include <windows.h>

namespace qv {

enum class WaitEnd { Signalled, TimedOut, Quit };

// Waits for the handle, or only for the time when it is null, handling this thread's messages
// meanwhile. A WM_QUIT met on the way is posted again for the loop it belongs to.
WaitEnd WaitHandlingMessages(HANDLE handle, DWORD timeoutMs);

// Keeps the user's hands off a window for a scope: it still paints and handles messages, but
// takes no clicks or keys (its buttons, menu and close box included).
class InputRefusal {
  public:
    explicit InputRefusal(HWND window);
    ~InputRefusal();
    InputRefusal(const InputRefusal&) = delete;
    InputRefusal& operator=(const InputRefusal&) = delete;

  private:
    HWND window_;
    bool wasDisabled_;
};

} // namespace qv
