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
#include "launch/supervision/launch_wait_win.h"
#include "launch/supervision/process_snapshot_win.h"
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
    UniqueHandle process(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        LogFailure(L"open the recorded process", std::to_wstring(processId), ::GetLastError());
    return process;
}

DWORD ExitCodeOf(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process, &code);
    return code;
}

// What the launcher knows of the start program it started.
struct StartProgram {
    StartProgram(const ProcessHandles& handles, std::wstring path)
        : handle(handles.process.get()), id(handles.processId), path(std::move(path)) {}
    HANDLE handle;
    std::uint32_t id;
    std::wstring path;
    std::optional<DWORD> exitCode; // once it has ended
    ULONGLONG endedAt = 0;

    void NoteEnd() {
        exitCode = ExitCodeOf(handle);
        endedAt = ::GetTickCount64();
        Log(*exitCode == 0 ? LogLevel::Info : LogLevel::Warning,
            L"Fluent's start program ended with exit code " + std::to_wstring(*exitCode));
    }
    bool Failed() const { return exitCode && *exitCode != 0; }
};

constexpr ULONGLONG RejudgeAfterMs = 1000;

// The search for this launch's Fluent: a new owner of a Fluent window is worth a process
// snapshot; a new Fluent that this launch's start did not start is passed over while its own may
// still come, and looked at again only when the start's state has changed. Processes are told
// apart by id and start time: a new Fluent may get the id of one that ended meanwhile.
class OwnFluentSearch {
  public:
    OwnFluentSearch(std::vector<ProcessIdentity> before, const StartProgram& start)
        : before_(std::move(before)), start_(start) {}

    std::optional<FluentChoice> Look() {
        const bool mayCome = OwnMayStillComeAsLastSeen();
        if (!WorthASnapshot(mayCome)) return std::nullopt;
        judgedMayCome_ = mayCome;
        judgedAt_ = ::GetTickCount64();
        const std::vector<RunningProcess> processes = SnapshotProcesses();
        const StartedProgram program = StartedProgramOf(start_.handle, start_.id);
        const std::vector<ProcessIdentity> now = IdentitiesOf(FluentProcessesIn(processes));
        const bool startFailed = program.endedAt && ExitCodeOf(start_.handle) != 0;
        const std::optional<FluentChoice> choice = ChooseOwnFluentProcess(
            before_, now, [&](std::uint32_t id) { return DescendsFrom(id, program, processes); },
            [&] { return !program.endedAt || StartHasRunningProcesses(&processes); }, startFailed);
        if (!choice) NotePassedOver(now);
        return choice;
    }

    // Whether a Fluent process the start program started still runs: its Fluent may still come.
    // A helper or a console it left behind is no Fluent. One found is watched by its handle, so
    // that a wait on it takes no snapshot at every look.
    bool StartHasRunningProcesses(const std::vector<RunningProcess>* taken = nullptr) {
        if (descendant_ && ::WaitForSingleObject(descendant_.get(), 0) == WAIT_TIMEOUT) return true;
        const std::optional<std::uint32_t> id = FirstFluentDescendant(
            StartedProgramOf(start_.handle, start_.id), taken ? *taken : SnapshotProcesses());
        descendant_.reset(id ? ::OpenProcess(SYNCHRONIZE, FALSE, *id) : nullptr);
        return id.has_value();
    }

  private:
    // Whether this launch's own Fluent may still come, from what is known without a snapshot:
    // the start program, or the Fluent process of its that is watched, still runs.
    bool OwnMayStillComeAsLastSeen() const {
        const auto runs = [](HANDLE process) {
            return process && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        };
        return runs(start_.handle) || runs(descendant_.get());
    }

    // A Fluent window of a process not judged yet; with Fluent processes passed over, a change in
    // whether this launch's own may still come, which may change the choice, or a second gone
    // by: a judgement the system answered only in part (a start time it would not give) is made
    // again, at a cost that no longer grows with every look.
    bool WorthASnapshot(bool mayCome) const {
        std::vector<ProcessIdentity> unjudged;
        for (const ProcessIdentity& owner : IdentitiesOf(FluentWindowOwners()))
            if (std::find(passedOver_.begin(), passedOver_.end(), owner) == passedOver_.end())
                unjudged.push_back(owner);
        if (ChooseNewFluentProcess(before_, unjudged)) return true;
        return !passedOver_.empty() &&
               (mayCome != judgedMayCome_ || ::GetTickCount64() >= judgedAt_ + RejudgeAfterMs);
    }

    void NotePassedOver(const std::vector<ProcessIdentity>& now) {
        for (const ProcessIdentity& process : now) {
            if (std::find(before_.begin(), before_.end(), process) != before_.end() ||
                std::find(passedOver_.begin(), passedOver_.end(), process) != passedOver_.end())
                continue;
            passedOver_.push_back(process);
            Log(L"Fluent process " + std::to_wstring(process.id) +
                L" is new but not started by this launch's start program (process " +
                std::to_wstring(start_.id) + L"): waiting for its own");
        }
    }

    std::vector<ProcessIdentity> before_;
    const StartProgram& start_;
    std::vector<ProcessIdentity> passedOver_;
    bool judgedMayCome_ = true; // as it was at the last snapshot
    ULONGLONG judgedAt_ = 0;
    UniqueHandle descendant_; // a running process of the start program's, when one is known
};

// Looks for the new Fluent until it is found, the signal comes, the user stops waiting, or the
// start program has ended with an error, no Fluent window has come within the grace period and
// nothing it started runs any more.
WaitOutcome WaitForOwnFluent(LaunchWait& wait, StartProgram& start, OwnFluentSearch& search,
                             std::optional<FluentChoice>& found, const SupervisionTimes& times) {
    for (;;) {
        if (const auto interrupted = wait.Interrupted()) return *interrupted;
        if ((found = search.Look())) return WaitOutcome::Found;
        const ULONGLONG now = ::GetTickCount64();
        if (start.Failed() && now >= start.endedAt + times.failedStartGraceMs &&
            !search.StartHasRunningProcesses())
            return WaitOutcome::StartFailed;
        const bool keep = start.exitCode ? wait.KeepWaiting(texts::StillWaitingStartEnded,
                                                            std::to_wstring(*start.exitCode))
                                         : wait.KeepWaiting(texts::StillWaitingStartRuns);
        if (!keep) return wait.Interrupted().value_or(WaitOutcome::Stopped);
        const DWORD untilGraceEnds =
            start.Failed() && now < start.endedAt + times.failedStartGraceMs
                ? static_cast<DWORD>(start.endedAt + times.failedStartGraceMs - now)
                : INFINITE;
        const WaitEnd end = wait.Pause(start.exitCode ? nullptr : start.handle, untilGraceEnds);
        if (end == WaitEnd::Signalled) start.NoteEnd();
    }
}

// Fluent 12's console may show after the main window: it is looked for among the recorded
// process's windows only, and no other window ever gets the command. The wait ends when the
// recorded Fluent ends.
void LoadThroughConsole(const StartRequest& request, HWND dialog, LaunchWait& wait,
                        LaunchState& state) {
    HWND console = nullptr;
    WaitOutcome outcome = WaitOutcome::Found;
    wait.RestartLimit();
    for (;;) {
        if (const auto interrupted = wait.Interrupted()) {
            outcome = *interrupted;
            break;
        }
        if ((console = FindFluentConsole(state.startedProcessId))) break;
        if (!wait.KeepWaiting(texts::ConsoleStillMissing)) {
            outcome = wait.Interrupted().value_or(WaitOutcome::Stopped);
            break;
        }
        if (wait.Pause(state.startedProcess.get(), INFINITE) == WaitEnd::Signalled) {
            Log(LogLevel::Warning,
                L"Fluent (process " + std::to_wstring(state.startedProcessId) +
                    L") ended with exit code " +
                    std::to_wstring(ExitCodeOf(state.startedProcess.get())) +
                    L" before its console appeared: the add-on's load command was not entered");
            return;
        }
    }
    if (outcome == WaitOutcome::Signalled) {
        Log(L"close signal before Fluent 12's console was found: the add-on has loaded, and its "
            L"load command was not entered");
        return;
    }
    if (outcome != WaitOutcome::Found) {
        Log(LogLevel::Warning,
            std::wstring(L"Fluent 12's console was not found (waiting given up: ") +
                wait.StopReason() + L"): the add-on's load command was not entered");
        // Without the command the add-on never loads, so no signal will come: a Fluent still
        // recorded would keep the user from ever closing the launcher.
        Log(L"Fluent (process " + std::to_wstring(state.startedProcessId) +
            L") is no longer recorded: the launcher may be closed");
        Record(0, UniqueHandle(), dialog, state);
        return;
    }
    EnteredCommand typing = TypeIntoWindow(ConsoleLoadCommand(request.productFolder), console,
                                           state.startedProcess.get());
    if (typing.entry == ConsoleEntry::Typed) Log(L"load command typed into Fluent's console");
    if (typing.entry == ConsoleEntry::Pasting)
        Log(L"load command pasted to Fluent's console, waiting for it to take the paste");
    if (typing.entry == ConsoleEntry::NotEntered)
        Log(LogLevel::Warning, L"load command not entered into Fluent's console");
    state.aftercare = std::move(typing.paste);
}

void ReportFailedStart(HWND dialog, const StartProgram& start) {
    Log(LogLevel::Error, L"Fluent's start program " + start.path + L" ended with exit code " +
                             std::to_wstring(*start.exitCode) +
                             L" and no Fluent window appeared: no Fluent process was recorded");
    ShowMessage(dialog, texts::StartProgramFailed, captions::Error, MB_OK | MB_ICONERROR,
                {start.path, std::to_wstring(*start.exitCode)});
}

const wchar_t* RuleText(FluentChoiceRule rule) {
    return rule == FluentChoiceRule::Descendant
               ? L"started by this launch's start program"
               : L"the last new one: none was started by this launch's start program";
}

// The wait for the new Fluent and, for parallel Fluent 12, its console; the user may stop it.
WaitOutcome SuperviseDirectStart(const StartRequest& request, HWND dialog, LaunchState& state,
                                 const SupervisionTimes& times, StartProgram& start,
                                 std::vector<ProcessIdentity> before) {
    LaunchWait wait(dialog, request.stopControl, state, times);
    const ULONGLONG startedAt = ::GetTickCount64();
    OwnFluentSearch search(std::move(before), start);
    std::optional<FluentChoice> fluent;
    const WaitOutcome outcome = WaitForOwnFluent(wait, start, search, fluent, times);
    if (outcome == WaitOutcome::Signalled)
        Log(L"close signal while waiting for Fluent: no Fluent process was recorded");
    if (outcome == WaitOutcome::Stopped)
        Log(LogLevel::Warning, std::wstring(L"waiting for Fluent given up (") + wait.StopReason() +
                                   L"): no Fluent process was recorded");
    if (outcome != WaitOutcome::Found) return outcome;
    Record(fluent->id, OpenToWatch(fluent->id), dialog, state);
    Log(L"Fluent recorded: process " + std::to_wstring(fluent->id) + L" after " +
        std::to_wstring(::GetTickCount64() - startedAt) + L" ms; " + RuleText(fluent->rule));
    if (LoadsThroughConsole(request.version, request.options))
        LoadThroughConsole(request, dialog, wait, state);
    return WaitOutcome::Found;
}

} // namespace

LaunchStep StartAndSupervise(const StartRequest& request, HWND dialog, LaunchState& state,
                             const SupervisionTimes& times) {
    // The add-on may have signalled during an earlier step: its Fluent has loaded, nothing more
    // is started.
    if (state.closeSignalled) {
        Log(L"close signal before the start: nothing was started");
        return LaunchStep::Continue;
    }
    // A direct start keeps the user waiting, from the start until the wait ends, however it ends.
    std::optional<BusyIndication> busy;
    std::vector<ProcessIdentity> before;
    if (!request.startByWorkbench) {
        busy.emplace(dialog);
        before = IdentitiesOf(ListFluentProcesses());
    }
    ProcessHandles started = StartProcess({request.program, request.commandLine});
    if (!started.process) {
        busy.reset();
        // The start logged its error; what is at the program's path tells a deleted program.
        Log(LogLevel::Error, std::wstring(request.startByWorkbench ? L"Workbench's program "
                                                                   : L"Fluent's start program ") +
                                 request.program + L", which failed to start: the path is " +
                                 DescribePath(request.program));
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
    StartProgram start(started, request.program);
    const WaitOutcome outcome =
        SuperviseDirectStart(request, dialog, state, times, start, std::move(before));
    busy.reset();
    if (outcome == WaitOutcome::StartFailed) {
        ReportFailedStart(dialog, start);
        return LaunchStep::StaysOpen;
    }
    return outcome == WaitOutcome::Stopped ? LaunchStep::StaysOpen : LaunchStep::Continue;
}

} // namespace qv
