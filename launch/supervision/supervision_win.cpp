#include "launch/supervision/supervision_win.h"

#include "base/busy_indication_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/program_start_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/record/fluent_releases.h"
#include "launch/supervision/console_typing_win.h"
#include "launch/supervision/fluent_process.h"
#include "launch/supervision/fluent_processes_win.h"
#include "launch/supervision/message_wait_win.h"
#include "texts/launch_texts.h"

#include <optional>
#include <vector>

namespace qv {

namespace {

namespace texts = launch_texts;

// The add-on reads the id from the dialog's user data; the launcher asks the handle whether the
// process still runs.
void Record(std::uint32_t processId, UniqueHandle process, HWND dialog, LaunchState& state) {
    state.startedProcessId = processId;
    state.startedProcess = std::move(process);
    ::SetWindowLongPtrW(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(processId));
}

UniqueHandle OpenToWatch(std::uint32_t processId) {
    UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        LogFailure(L"open the recorded process", std::to_wstring(processId), ::GetLastError());
    return process;
}

// Asks whether to go on waiting, saying what the launcher has seen so far.
bool KeepWaiting(HWND dialog, HANDLE startProgram) {
    DWORD exitCode = STILL_ACTIVE;
    const bool ended = ::WaitForSingleObject(startProgram, 0) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(startProgram, &exitCode);
    const Message& question = ended ? texts::StillWaitingStartEnded : texts::StillWaitingStartRuns;
    return ShowMessage(dialog, question, captions::Warning, MB_YESNO | MB_ICONWARNING,
                       {std::to_wstring(exitCode)}) == IDYES;
}

// How a wait ended: what it looked for was found, the add-on's module said it has loaded (so
// nothing more is needed), or the user stopped waiting.
enum class WaitOutcome { Found, Signalled, GivenUp };

// Calls look() every pause, handling the dialog's messages in between, until it finds something,
// the close signal comes or the user, asked at each limit, stops waiting. While the start program
// runs, its end cuts a pause short.
template <typename Look>
WaitOutcome WaitFor(Look look, HANDLE startProgram, HWND dialog, const LaunchState& state,
                    const SupervisionTimes& times) {
    ULONGLONG askAt = ::GetTickCount64() + times.askAfterMs;
    bool startRuns = startProgram != nullptr;
    for (;;) {
        if (state.closeSignalled) return WaitOutcome::Signalled;
        if (look()) return WaitOutcome::Found;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= askAt) {
            const bool keep = KeepWaiting(dialog, startProgram);
            if (state.closeSignalled) return WaitOutcome::Signalled;
            if (!keep) return WaitOutcome::GivenUp;
            askAt = ::GetTickCount64() + times.askAfterMs;
            continue;
        }
        const DWORD untilAsking = static_cast<DWORD>(askAt - now);
        const DWORD pause = times.pauseMs < untilAsking ? times.pauseMs : untilAsking;
        const WaitEnd end = WaitHandlingMessages(startRuns ? startProgram : nullptr, pause);
        if (end == WaitEnd::Quit) return WaitOutcome::GivenUp;
        if (end == WaitEnd::Signalled) {
            startRuns = false;
            Log(L"Fluent's start program ended");
        }
    }
}

// Fluent 12's console may show after the main window: it is looked for among the recorded
// process's windows only, and no other window ever gets the command.
void LoadThroughConsole(const StartRequest& request, HWND dialog, LaunchState& state,
                        const SupervisionTimes& times) {
    HWND console = nullptr;
    const WaitOutcome outcome = WaitFor(
        [&] {
            console = FindFluentConsole(state.startedProcessId);
            return console != nullptr;
        },
        nullptr, dialog, state, times);
    if (outcome == WaitOutcome::Signalled) {
        Log(L"close signal before Fluent 12's console was found: the add-on has loaded, and its "
            L"load command was not entered");
        return;
    }
    if (outcome != WaitOutcome::Found) {
        Log(LogLevel::Warning,
            L"Fluent 12's console was not found: the add-on's load command was not entered");
        return;
    }
    const ConsoleEntry entry = TypeIntoWindow(ConsoleLoadCommand(request.productFolder), console);
    if (entry == ConsoleEntry::Typed)
        Log(L"load command typed into Fluent's console");
    else if (entry == ConsoleEntry::Pasted)
        Log(L"load command pasted into Fluent's console");
    else if (entry == ConsoleEntry::Untaken)
        Log(LogLevel::Warning, L"load command not entered: Fluent's console took no keystroke");
    else
        Log(LogLevel::Warning, L"load command pasted, unanswered by Fluent's console");
}

} // namespace

LaunchStep StartAndSupervise(const StartRequest& request, HWND dialog, LaunchState& state,
                             const SupervisionTimes& times) {
    // A direct start keeps the user waiting, from the start until the wait ends, however it ends.
    std::optional<BusyIndication> busy;
    std::vector<std::uint32_t> before;
    if (!request.startByWorkbench) {
        busy.emplace(dialog);
        before = ListFluentProcesses();
    }
    ProcessHandles started = StartProcess({request.program, request.commandLine});
    if (!started.process) {
        busy.reset();
        // The start logged its error; what is at the program's path tells a deleted program.
        Log(LogLevel::Error,
            L"start program " + request.program + L": " + DescribePath(request.program));
        ShowMessage(dialog,
                    request.startByWorkbench ? texts::WorkbenchStartFailed
                                             : texts::FluentStartFailed,
                    captions::Error, MB_OK | MB_ICONERROR);
        return LaunchStep::Closes;
    }
    if (request.startByWorkbench) {
        Record(started.processId, std::move(started.process), dialog, state);
        Log(L"Workbench recorded: process " + std::to_wstring(state.startedProcessId));
        return LaunchStep::Continue;
    }
    const InputRefusal refusal(dialog);
    const ULONGLONG startedAt = ::GetTickCount64();
    std::optional<std::uint32_t> fluent;
    // Only a Fluent window of a new owner is worth the process snapshot.
    const WaitOutcome outcome = WaitFor(
        [&] {
            if (ChooseNewFluentProcess(before, FluentWindowOwners()))
                fluent = ChooseNewFluentProcess(before, ListFluentProcesses());
            return fluent.has_value();
        },
        started.process.get(), dialog, state, times);
    if (outcome == WaitOutcome::Signalled) {
        Log(L"close signal while waiting for Fluent: no Fluent process was recorded");
        return LaunchStep::Continue;
    }
    if (outcome == WaitOutcome::GivenUp) {
        Log(L"waiting for Fluent given up: no Fluent process was recorded");
        return LaunchStep::StaysOpen;
    }
    Record(*fluent, OpenToWatch(*fluent), dialog, state);
    Log(L"Fluent recorded: process " + std::to_wstring(*fluent) + L" after " +
        std::to_wstring(::GetTickCount64() - startedAt) + L" ms");
    if (LoadsThroughConsole(request.version, request.options))
        LoadThroughConsole(request, dialog, state, times);
    return LaunchStep::Continue;
}

} // namespace qv
