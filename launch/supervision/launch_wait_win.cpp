#include "launch/supervision/launch_wait_win.h"

#include "base/user_prompts_win.h"
#include "texts/language.h"

namespace qv {

LaunchWait::LaunchWait(HWND dialog, HWND stopControl, LaunchState& state,
                       const SupervisionTimes& times)
    : refusal_(dialog, stopControl), dialog_(dialog), state_(state), times_(times),
      askAt_(::GetTickCount64() + times.askAfterMs) {
    state_.waitingForFluent = true;
    state_.stopWaiting = false;
}

LaunchWait::~LaunchWait() {
    state_.waitingForFluent = false;
    state_.stopWaiting = false;
}

std::optional<WaitOutcome> LaunchWait::Interrupted() const {
    if (state_.closeSignalled) return WaitOutcome::Signalled;
    if (stopped_ || state_.stopWaiting) return WaitOutcome::Stopped;
    return std::nullopt;
}

bool LaunchWait::KeepWaiting(const Message& question, const std::wstring& value) {
    if (::GetTickCount64() < askAt_) return true;
    const UINT style = MB_YESNO | MB_ICONWARNING;
    const bool keep = (value.empty() ? ShowMessage(dialog_, question, captions::Warning, style)
                                     : ShowMessage(dialog_, question, captions::Warning, style,
                                                   {value})) == IDYES;
    if (Interrupted()) return false;
    if (!keep) {
        stopped_ = true;
        stopReason_ = L"the user answered No at the limit";
        return false;
    }
    askAt_ = ::GetTickCount64() + times_.askAfterMs;
    return true;
}

WaitEnd LaunchWait::Pause(HANDLE watched, DWORD maxMs) {
    const ULONGLONG now = ::GetTickCount64();
    DWORD pause = times_.pauseMs < maxMs ? times_.pauseMs : maxMs;
    if (askAt_ > now && askAt_ - now < pause) pause = static_cast<DWORD>(askAt_ - now);
    if (askAt_ <= now) pause = 0;
    const WaitEnd end =
        WaitHandlingMessages(watched, pause, [this] { return Interrupted().has_value(); });
    if (end == WaitEnd::Quit) {
        stopped_ = true;
        stopReason_ = L"the window's message loop was told to end";
    }
    return end;
}

} // namespace qv
