// Times the start of programs that show a dialog: from just before CreateProcessW to the first
// visible top-level window of the new process, the programs started in turn so that all meet
// the same state of the Wine prefix. Each program's median, its ratio to the first program's
// and to the launcher's template shown alone (also as the median of each round's ratio), and
// the phases of its start: to its dialog's
// window (loading, start-up), from there to the window showing (the dialog's initialisation),
// and from there to the end of its first paint (seen to within 5 ms). Runs once with nothing
// installed, then again after laying out a typical installation (Fluent 2025 R2, Visual Studio
// 2019, a MATLAB) from the test stand-ins. Run by tools/bench-startup.sh.
//   qv_startup_bench <runs> <fakes32> <fakes64> <program> [<program> ...]   (Unix or Windows
//   paths; the program named qv_template_dialog.exe is the template)
#include "base/handles_win.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "bench/median_time.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/top_level_windows_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from the start to each phase's end.
struct StartTimes {
    double window = -1;  // the dialog's window exists
    double visible = -1; // it shows
    double painted = -1; // its first paint is done
};

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || test::ClassNameOf(window) != L"#32770") return TRUE;
    search->found = window;
    return FALSE;
}

HWND DialogOf(DWORD processId) {
    DialogSearch search{processId, nullptr};
    ::EnumWindows(&FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasUpdateRegion(HWND window) {
    return ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

BOOL CALLBACK NoteUnpaintedChild(HWND child, LPARAM parameter) {
    if (::IsWindowVisible(child) && HasUpdateRegion(child))
        *reinterpret_cast<bool*>(parameter) = true;
    return TRUE;
}

// Painted when neither the dialog nor any control waits for its WM_PAINT and the dialog's thread
// has come back to its message loop (a sent message is answered only there).
bool IsPainted(HWND dialog) {
    if (HasUpdateRegion(dialog)) return false;
    bool pending = false;
    ::EnumChildWindows(dialog, &NoteUnpaintedChild, reinterpret_cast<LPARAM>(&pending));
    DWORD_PTR answer = 0;
    return !pending &&
           ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer) != 0 &&
           !HasUpdateRegion(dialog);
}

StartTimes TimeOneStart(const std::wstring& exe) {
    StartTimes times;
    const auto start = Clock::now();
    ProcessHandles process = test::StartProgram(exe, L"\"" + exe + L"\"");
    if (!process.process) return times;
    HWND dialog = nullptr;
    while (times.painted < 0) {
        if (!dialog && (dialog = DialogOf(process.processId))) times.window = Since(start);
        if (dialog && times.visible < 0 && ::IsWindowVisible(dialog)) times.visible = Since(start);
        if (times.visible >= 0 && IsPainted(dialog)) times.painted = Since(start);
        if (times.painted >= 0 || Since(start) > 20000) break;
        // Once it shows, asked less often: each question about its paint is a round trip to the
        // window system that the program's own paint then waits behind.
        const DWORD pause = times.visible < 0 ? 1 : 5;
        if (::WaitForSingleObject(process.process.get(), pause) == WAIT_OBJECT_0) return {};
    }
    if (dialog) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.process.get(), 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.process.get(), 1);
    return times.painted >= 0 ? times : StartTimes{};
}

std::wstring WindowsPath(const char* path) {
    return path[0] == '/' ? test::WindowsPathFromUnix(path)
                          : std::wstring(path, path + std::char_traits<char>::length(path));
}

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(path.find_last_of("/\\") + 1));
}

struct Program {
    std::string name;
    std::wstring path;
};

// The start times of every program, runs of each in turn; false when one showed no window.
bool Measure(const std::vector<Program>& programs, int runs,
             std::vector<std::vector<StartTimes>>& times) {
    times.assign(programs.size(), {});
    // One start of each first: the prefix's caches warm up alike for every program.
    for (int run = -1; run < runs; ++run)
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const StartTimes one = TimeOneStart(programs[p].path);
            if (one.painted < 0) {
                std::fprintf(stderr, "no window from %s\n", programs[p].name.c_str());
                return false;
            }
            if (run >= 0) times[p].push_back(one);
        }
    return true;
}

double MedianOf(const std::vector<StartTimes>& times, double StartTimes::*phase) {
    std::vector<double> values;
    for (const StartTimes& one : times)
        values.push_back(one.*phase);
    return Median(values);
}

void Report(const char* installation, const std::vector<Program>& programs,
            const std::vector<std::vector<StartTimes>>& times) {
    std::printf("%s:\n", installation);
    std::size_t templateIndex = 0;
    for (std::size_t p = 0; p < programs.size(); ++p)
        if (programs[p].name == "qv_template_dialog.exe") templateIndex = p;
    const double first = MedianOf(times[0], &StartTimes::visible);
    const double floor = MedianOf(times[templateIndex], &StartTimes::visible);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> visible;
        for (const StartTimes& one : times[p])
            visible.push_back(one.visible);
        const double median = Median(visible);
        const auto [low, high] = std::minmax_element(visible.begin(), visible.end());
        const double window = MedianOf(times[p], &StartTimes::window);
        const double painted = MedianOf(times[p], &StartTimes::painted);
        // Each start against the template's start of the same round: the machine's slower and
        // faster stretches then fall on both.
        std::vector<double> paired;
        for (std::size_t run = 0; run < times[p].size(); ++run)
            paired.push_back(times[p][run].visible / times[templateIndex][run].visible);
        std::printf("  %-28s visible %6.1f ms  ratio %.2f  / template %.2f (round by round %.2f)  "
                    "(min %6.1f, max %6.1f)  phases: window %6.1f, init %5.1f, first paint %5.1f "
                    "(painted %6.1f)\n",
                    programs[p].name.c_str(), median, median / first, median / floor,
                    Median(paired), *low, *high, window, median - window, painted - median,
                    painted);
    }
}

// Fluent 2025 R2 in its default folder, Visual Studio 2019 Community found on the drive and a
// registered MATLAB, from the stand-ins; false when any of it could not be made.
bool LayOutTypicalInstallation(const test::FakeProgramFolders& fakes) {
    const bool windows64 = IsWindows64Bit();
    const test::SimulatedFluent fluent = test::LayOutFluent(
        fakes, L"C:\\Program Files\\ANSYS Inc\\v252\\fluent", L"fluent25.2.0", windows64);
    const test::SimulatedVisualStudio vs = test::LayOutVisualStudio2019(
        fakes,
        std::wstring(windows64 ? L"C:\\Program Files (x86)" : L"C:\\Program Files") +
            L"\\Microsoft Visual Studio\\2019\\Community",
        windows64);
    const test::SimulatedMatlab matlab =
        test::LayOutMatlab(fakes, L"C:\\Program Files\\MATLAB\\R2020b", windows64);
    return fluent.complete && vs.complete && matlab.complete &&
           test::RegisterMatlab(L"9.9", matlab.root);
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: qv_startup_bench <runs> <fakes32> <fakes64> <program> "
                             "[<program> ...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const qv::test::FakeProgramFolders fakes{qv::WindowsPath(argv[2]), qv::WindowsPath(argv[3])};
    std::vector<qv::Program> programs;
    for (int i = 4; i < argc; ++i)
        programs.push_back({qv::FileNameOf(argv[i]), qv::WindowsPath(argv[i])});
    // The fresh prefix's own programs start beside this one: measured only once they have, as
    // on a machine that is up and running.
    ::Sleep(4000);
    std::vector<std::vector<qv::StartTimes>> times;
    if (!qv::Measure(programs, runs, times)) return 1;
    qv::Report("nothing installed", programs, times);
    if (!qv::LayOutTypicalInstallation(fakes)) {
        std::fprintf(stderr, "cannot lay out the typical installation\n");
        return 1;
    }
    if (!qv::Measure(programs, runs, times)) return 1;
    qv::Report("typical installation (Fluent 2025 R2, Visual Studio 2019, MATLAB R2020b)", programs,
               times);
    std::printf("(%d runs each, medians in ms from CreateProcessW)\n", runs);
    return 0;
}
