#include "launch/supervision_win.h"

#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/console_typing_win.h"
#include "launch/fluent_process.h"
#include "launch/fluent_processes_win.h"
#include "launch/message_wait_win.h"
#include "launch/process_start_win.h"
#include "texts/launch_texts.h"

#include <optional>
#include <vector>

namespace qv {

namespace {

namespace texts = launch_texts;

void Record(std::uint32_t processId, HWND dialog, LaunchState& state) {
    state.startedProcessId = processId;
    // Read by the add-on's module in Fluent: the process this launcher started.
    ::SetWindowLongPtrW(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(processId));
}

// Asks whether to go on waiting, saying what the launcher has seen so far.
bool KeepWaiting(HWND dialog, HANDLE startProgram) {
    DWORD exitCode = STILL_ACTIVE;
    const bool ended = ::WaitForSingleObject(startProgram, 0) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(startProgram, &exitCode);
    const std::wstring text =
        ended ? FormatText(Pick(texts::StillWaitingStartEnded), {std::to_wstring(exitCode)})
              : std::wstring(Pick(texts::StillWaitingStartRuns));
    return Prompts().ShowMessage(dialog, text, Pick(captions::Warning),
                                 MB_YESNO | MB_ICONWARNING) == IDYES;
}

// Waits for the start program to end, then for a Fluent main window of a process that did not
// run before; nothing when the user stops waiting.
std::optional<std::uint32_t> WaitForNewFluent(const std::vector<std::uint32_t>& before,
                                              HANDLE startProgram, HWND dialog,
                                              const SupervisionTimes& times) {
    ULONGLONG askAt = ::GetTickCount64() + times.askAfterMs;
    bool startEnded = false;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= askAt) {
            if (!KeepWaiting(dialog, startProgram)) return std::nullopt;
            askAt = ::GetTickCount64() + times.askAfterMs;
            continue;
        }
        const DWORD untilAsking = static_cast<DWORD>(askAt - now);
        if (!startEnded) {
            const WaitEnd end = WaitHandlingMessages(startProgram, untilAsking);
            if (end == WaitEnd::Quit) return std::nullopt;
            startEnded = end == WaitEnd::Signalled;
            continue;
        }
        // Only a Fluent window of a new owner is worth the process snapshot.
        if (ChooseNewFluentProcess(before, FluentWindowOwners()))
            if (const auto chosen = ChooseNewFluentProcess(before, ListFluentProcesses()))
                return chosen;
        const DWORD pause = times.pauseMs < untilAsking ? times.pauseMs : untilAsking;
        if (WaitHandlingMessages(nullptr, pause) == WaitEnd::Quit) return std::nullopt;
    }
}

void LoadThroughConsole(std::uint32_t processId, const std::wstring& productFolder) {
    // Without its console the add-on cannot be loaded; no other window gets the command.
    if (HWND console = FindFluentConsole(processId))
        TypeIntoWindow(ConsoleLoadCommand(productFolder), console);
}

} // namespace

LaunchStep StartAndSupervise(const StartRequest& request, HWND dialog, LaunchState& state,
                             const SupervisionTimes& times) {
    std::vector<std::uint32_t> before;
    if (!request.startByWorkbench) before = ListFluentProcesses();
    ProcessHandles started = StartHidden(request.program, request.commandLine);
    if (!started.process) {
        Prompts().ShowMessage(
            dialog,
            Pick(request.startByWorkbench ? texts::WorkbenchStartFailed : texts::FluentStartFailed),
            Pick(captions::Error), MB_OK | MB_ICONERROR);
        return LaunchStep::Closes;
    }
    if (request.startByWorkbench) {
        Record(started.processId, dialog, state);
        return LaunchStep::Continue;
    }
    std::optional<std::uint32_t> fluent;
    {
        const InputRefusal refusal(dialog);
        fluent = WaitForNewFluent(before, started.process.get(), dialog, times);
    }
    if (!fluent) return LaunchStep::StaysOpen;
    Record(*fluent, dialog, state);
    if (LoadsThroughConsole(request.version, request.options))
        LoadThroughConsole(*fluent, request.productFolder);
    return LaunchStep::Continue;
}

} // namespace qv
