#include "launch/supervision/closing_win.h"

#include "base/own_windows_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/supervision/close_signal.h"
#include "launch/supervision/started_process_win.h"
#include "launch/startup_file/startup_file_win.h"
#include "launch/workbench/workbench_tracking_win.h"
#include "texts/launch_texts.h"

namespace qv {

bool MayClose(const LaunchState& state, HWND dialog, std::wstring_view homeFolder) {
    if (IsStartedProcessAlive(state.startedProcess.get())) {
        ShowMessage(dialog, launch_texts::ClosingWhileStarting, captions::Warning,
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    if (state.workbenchLaunched && !IsWorkbenchRunningForLauncher(dialog))
        RestoreStartupFile(homeFolder);
    return true;
}

void CloseShownQuestion(HWND mainDialog) {
    HWND shown = FirstVisibleDialogOfThread(::GetWindowThreadProcessId(mainDialog, nullptr));
    if (!shown || shown == mainDialog) return;
    NoteQuestionClosedBySignal();
    for (int id : CloseSignalButtons) {
        if (HWND button = ::GetDlgItem(shown, id)) {
            ::SendMessageW(shown, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    ::SendMessageW(shown, WM_CLOSE, 0, 0);
}

bool AskToStopWaiting(HWND dialog) {
    // No is the default: a slip of Enter keeps the wait.
    return ShowMessage(dialog, launch_texts::StopWaitingQuestion, captions::Warning,
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace qv
