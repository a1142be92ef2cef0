#include "bench/launcher_end_win.h"

#include "bench/launcher_probe_win.h"
#include "bench/median_time.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

namespace qv {

namespace {

constexpr UINT CloseSignal = 1623;

// Watches the dialog from two threads of this process: one notes when its window goes, the other
// asks it something every millisecond or so and notes how long each answer takes.
class DialogWatch {
  public:
    explicit DialogWatch(HWND dialog) : dialog_(dialog) {
        gone_ = std::thread([this] { WatchWindow(); });
        asker_ = std::thread([this] { Ask(); });
    }
    ~DialogWatch() { Stop(); }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    void Stop() {
        stop_ = true;
        if (gone_.joinable()) gone_.join();
        if (asker_.joinable()) asker_.join();
    }
    LONGLONG GoneAt() const { return goneAt_; }
    // The longest a message took to be answered while the window was there.
    double LongestAnswer() const {
        const LONGLONG gone = goneAt_;
        double longest = 0;
        for (const auto& [asked, answered] : probes_) {
            if (gone && asked >= gone) continue;
            const LONGLONG end = gone ? std::min(answered, gone) : answered;
            longest = std::max(longest, Seconds(end - asked));
        }
        return longest;
    }

  private:
    // Asked once more when told to stop: the process may have ended before this thread ran.
    void WatchWindow() {
        for (;;) {
            if (!::IsWindow(dialog_)) {
                goneAt_ = Now();
                return;
            }
            if (stop_) return;
            ::Sleep(0);
        }
    }
    void Ask() {
        while (!stop_ && !goneAt_) {
            const LONGLONG asked = Now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            probes_.emplace_back(asked, Now());
            ::Sleep(1);
        }
    }

    HWND dialog_;
    std::atomic<bool> stop_{false};
    std::atomic<LONGLONG> goneAt_{0};
    std::vector<std::pair<LONGLONG, LONGLONG>> probes_; // the asker's alone until it is joined
    std::thread gone_, asker_;
};

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (!done()) {
        if (::GetTickCount64() >= end) return false;
        ::Sleep(5);
    }
    return true;
}

// Sends or presses what ends the launcher; the moment it is sent.
LONGLONG Tell(HWND dialog, const EndRun& run) {
    const LONGLONG at = Now();
    if (run.by == EndBy::ModuleSignal) {
        static_cast<void>(test::WriteFileBytes(run.signalGate, "open"));
    } else if (run.by == EndBy::CloseSignal) {
        // As the add-on's module sends it.
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(dialog, CloseSignal, reinterpret_cast<WPARAM>(dialog), 0,
                              SMTO_NORMAL | SMTO_ABORTIFHUNG, 10000, &result);
    } else {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_CANCEL)));
    }
    return at;
}

} // namespace

EndFigures MeasureEnd(const EndRun& run) {
    EndFigures figures;
    test::StartOptions options;
    options.environmentChanges = run.environment;
    const ProcessHandles launcher =
        test::StartProgram(run.launcherExe, L"\"" + run.launcherExe + L"\"", options);
    if (!launcher.process) return figures;
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindLauncherDialog(launcher.processId)) != nullptr; },
                 30000))
        return figures;
    // Settled: painted, its start-up work done.
    ::Sleep(1500);
    if (run.launchFirst) {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    }
    if (run.duringWait) {
        ::Sleep(2000); // the checks are through, the start program runs, no window yet
    } else if (run.launchFirst) {
        if (!WaitFor([&] { return ::GetWindowLongPtrW(dialog, GWLP_USERDATA) != 0; }, 30000)) {
            std::fwprintf(stderr, L"the launcher recorded no Fluent\n");
            ::TerminateProcess(launcher.process.get(), 1);
            return figures;
        }
        ::Sleep(500); // the module loads its menu
    }
    DialogWatch watch(dialog);
    LONGLONG told = Tell(dialog, run);
    const bool ended = ::WaitForSingleObject(launcher.process.get(), 20000) == WAIT_OBJECT_0;
    const LONGLONG endedAt = Now();
    watch.Stop();
    DWORD exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(launcher.process.get(), &exitCode);
    if (!ended) ::TerminateProcess(launcher.process.get(), 1);
    // The module writes its record once its signal has been answered.
    if (run.by == EndBy::ModuleSignal)
        WaitFor([&] { return (told = SolverCounter(run.records, "signal_sent_at")) != 0; }, 10000);
    if (!run.startedProgramsBelow.empty()) test::EndProgramsBelow(run.startedProgramsBelow);
    if (!ended || exitCode != 0 || !watch.GoneAt() || !told) {
        std::fwprintf(stderr, L"the launcher did not end as asked (exit code %lu)\n", exitCode);
        return figures;
    }
    figures.windowGoneMs = 1000 * Seconds(watch.GoneAt() - told);
    figures.processEndMs = 1000 * Seconds(endedAt - told);
    figures.longestAnswerMs = 1000 * watch.LongestAnswer();
    figures.ok = true;
    return figures;
}

void ReportEnds(const wchar_t* title, const std::vector<EndFigures>& runs) {
    auto medianAndWorst = [&](double EndFigures::*field, double& median, double& worst) {
        std::vector<double> values;
        for (const EndFigures& f : runs)
            values.push_back(f.*field);
        median = Median(values);
        worst = *std::max_element(values.begin(), values.end());
    };
    double gone = 0, goneWorst = 0, end = 0, endWorst = 0, answer = 0, answerWorst = 0;
    medianAndWorst(&EndFigures::windowGoneMs, gone, goneWorst);
    medianAndWorst(&EndFigures::processEndMs, end, endWorst);
    medianAndWorst(&EndFigures::longestAnswerMs, answer, answerWorst);
    std::wprintf(L"%ls: window gone %.0f ms (worst %.0f), process ended %.0f ms (worst %.0f; goal "
                 L"<= 200 ms), longest answer %.0f ms (worst %.0f)\n",
                 title, gone, goneWorst, end, endWorst, answer, answerWorst);
}

} // namespace qv
