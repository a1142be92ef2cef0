// One wait of a launch on the dialog's thread: for Fluent's new window, then for Fluent 12's
// console. The dialog goes on painting and answering; of its controls only the one that stops
// the wait takes input, and Cancel, Esc and the close box ask whether to stop (the dialog does,
// seeing waitingForFluent). The add-on's close signal and the user's stop end it at once.
#pragma once

#include "launch/record/launch_state_win.h"
#include "base/message_wait_win.h"
#include "launch/supervision/supervision_win.h"
#include "texts/language.h"

#include <windows.h>

#include <optional>
#include <string>

namespace qv {

enum class WaitOutcome {
    Found,       // what the wait looked for is there
    Signalled,   // the add-on's module has loaded its menu: nothing more is needed
    Stopped,     // the user stopped waiting
    StartFailed, // the start program ended with an error and no Fluent window came
};

class LaunchWait {
  public:
    LaunchWait(HWND dialog, HWND stopControl, LaunchState& state, const SupervisionTimes& times);
    ~LaunchWait();
    LaunchWait(const LaunchWait&) = delete;
    LaunchWait& operator=(const LaunchWait&) = delete;

    // The close signal or the user's stop, once either has come.
    std::optional<WaitOutcome> Interrupted() const;
    // True until the limit. At the limit it asks the question (Yes and No), value filling its
    // placeholder if it has one; Yes sets a new limit, No stops the wait (false, as when the
    // signal came meanwhile).
    bool KeepWaiting(const Message& question, const std::wstring& value = {});
    // Waits until the next look is due, the limit, the end of the watched process (Signalled) or
    // maxMs, handling the dialog's messages; ends at once once Interrupted() has an answer.
    WaitEnd Pause(HANDLE watched, DWORD maxMs);
    // The next question comes a whole limit from now: a new stage of the wait begins.
    void RestartLimit() { askAt_ = ::GetTickCount64() + times_.askAfterMs; }
    // How the user stopped the wait, for the log.
    const wchar_t* StopReason() const { return stopReason_; }

  private:
    InputRefusal refusal_;
    HWND dialog_;
    LaunchState& state_;
    const SupervisionTimes& times_;
    ULONGLONG askAt_;
    bool stopped_ = false; // at the limit's question, or the window's loop was told to end
    const wchar_t* stopReason_ = L"by Cancel, Esc or the close box";
};

} // namespace qv
