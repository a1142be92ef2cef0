// Waiting on the dialog's thread without freezing the dialog: its windows go on painting and
// answering messages (the add-on's close signal among them) while the thread waits.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace qv {

// Done: what the caller asked after handling messages says the wait is over.
enum class WaitEnd { Signalled, TimedOut, Quit, Done };

// Waits for the handle, or only for the time when it is null, handling this thread's messages
// meanwhile (a dialog's keys as the dialog handles them). After handling messages it asks done(),
// when given, and ends at once when it says so: what a message changed is seen without waiting
// out the time. A WM_QUIT met on the way is posted again for the loop it belongs to.
WaitEnd WaitHandlingMessages(HANDLE handle, DWORD timeoutMs,
                             const std::function<bool()>& done = nullptr);

// Keeps the user's hands off a dialog's controls for a scope, all but the one that may end the
// wait (it gets the focus): they still paint and the dialog still answers messages, its close
// box and Esc included. The controls it disabled are enabled again at its end; meanwhile each
// says so (IsRefusedForAWait), so that a control's state of its own can still be told.
class InputRefusal {
  public:
    InputRefusal(HWND dialog, HWND stillUsable);
    ~InputRefusal();
    InputRefusal(const InputRefusal&) = delete;
    InputRefusal& operator=(const InputRefusal&) = delete;

  private:
    HWND dialog_;
    HWND focus_;
    std::vector<HWND> disabled_;
};

// Whether the control is disabled only for a wait, not for a state of its own.
bool IsRefusedForAWait(HWND control);

} // namespace qv
