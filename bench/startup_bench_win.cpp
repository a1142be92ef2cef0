// Times the start of programs that show a dialog, each start in phases: from just before
// CreateProcessW to its dialog's window (loading, start-up), to the window showing ("visible":
// the dialog's initialisation), and to "fully painted": the window shows, neither it nor any
// control has a region left to paint, and its thread has answered a message sent after that,
// so that its last WM_PAINT has returned (seen to within 5 ms). The programs start in turn,
// round after round, so that all meet the same state of the Wine prefix and of the machine.
// For each program: the medians, their ratios to the first program's (an empty dialog) and to
// the launcher's template shown by a procedure that does nothing (its floor), and the median of
// each round's ratio to the template's start in the same round. Runs once with nothing
// installed, then again after laying out a typical installation (Fluent 2025 R2, Visual Studio
// 2019, a MATLAB) from the test stand-ins. Run by tools/bench-startup.sh.
//   qv_startup_bench <runs> <fakes32> <fakes64> <program> ... qv_template_dialog.exe
//                    <launcher> [<launcher> ...]
// (Unix or Windows paths): the programs after the template are the ones measured against it.
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

constexpr char TemplateName[] = "qv_template_dialog.exe";

struct Program {
    std::string name;
    std::wstring path;
    bool launcher = false; // measured against the template
};

// A program's file name, or with its folder's where another program has the same name (two
// builds of the launcher).
std::string LabelOf(std::string_view path, const std::vector<Program>& before) {
    const std::string name = FileNameOf(path);
    for (const Program& program : before)
        if (FileNameOf(program.name) == name) {
            const std::string_view folder = path.substr(0, path.find_last_of("/\\"));
            return FileNameOf(folder) + "/" + name;
        }
    return name;
}

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

// Each round's ratio of one program's phase to the template's in the same round: the machine's
// slower and faster stretches then fall on both. Sorted.
std::vector<double> RoundRatios(const std::vector<StartTimes>& times,
                                const std::vector<StartTimes>& floor, double StartTimes::*phase) {
    std::vector<double> ratios;
    for (std::size_t run = 0; run < times.size() && run < floor.size(); ++run)
        ratios.push_back(times[run].*phase / floor[run].*phase);
    std::sort(ratios.begin(), ratios.end());
    return ratios;
}

double RoundByRound(const std::vector<StartTimes>& times, const std::vector<StartTimes>& floor,
                    double StartTimes::*phase) {
    return Median(RoundRatios(times, floor, phase));
}

// The median of the rounds' ratios and the ratios at the first and third quarter of them, which
// tell how far one round may stray on this machine.
std::string RoundRatiosText(const std::vector<StartTimes>& times,
                            const std::vector<StartTimes>& floor, double StartTimes::*phase) {
    const std::vector<double> ratios = RoundRatios(times, floor, phase);
    if (ratios.empty()) return "none";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f, middle half %.2f-%.2f", Median(ratios),
                  ratios[(ratios.size() - 1) / 4], ratios[(3 * (ratios.size() - 1) + 3) / 4]);
    return text;
}

void Report(const char* installation, const std::vector<Program>& programs,
            const std::vector<std::vector<StartTimes>>& times) {
    std::size_t templateIndex = 0;
    for (std::size_t p = 0; p < programs.size(); ++p)
        if (programs[p].name == TemplateName) templateIndex = p;
    const std::vector<StartTimes>& floor = times[templateIndex];
    const double floorVisible = MedianOf(floor, &StartTimes::visible);
    const double floorPainted = MedianOf(floor, &StartTimes::painted);
    const double empty = MedianOf(times[0], &StartTimes::visible);
    std::printf("\n%s: medians of %zu starts in turn, ms from CreateProcessW\n", installation,
                floor.size());
    std::printf("  %-32s %8s %7s %14s %9s %14s   %s\n", "", "visible", "/empty", "/template",
                "painted", "/template", "phases: window, init, first paint");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const double visible = MedianOf(times[p], &StartTimes::visible);
        const double painted = MedianOf(times[p], &StartTimes::painted);
        const double window = MedianOf(times[p], &StartTimes::window);
        std::printf("  %-32s %8.1f %7.2f %6.2f (%5.2f) %9.1f %6.2f (%5.2f)   %6.1f, %5.1f, %5.1f\n",
                    programs[p].name.c_str(), visible, visible / empty, visible / floorVisible,
                    RoundByRound(times[p], floor, &StartTimes::visible), painted,
                    painted / floorPainted, RoundByRound(times[p], floor, &StartTimes::painted),
                    window, visible - window, painted - visible);
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        if (!programs[p].launcher) continue;
        std::printf("  %s / template: visible %.2f (round by round %s), fully painted %.2f "
                    "(round by round %s)\n",
                    programs[p].name.c_str(),
                    MedianOf(times[p], &StartTimes::visible) / floorVisible,
                    RoundRatiosText(times[p], floor, &StartTimes::visible).c_str(),
                    MedianOf(times[p], &StartTimes::painted) / floorPainted,
                    RoundRatiosText(times[p], floor, &StartTimes::painted).c_str());
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
        std::fprintf(stderr, "usage: qv_startup_bench <runs> <fakes32> <fakes64> <program> ... "
                             "qv_template_dialog.exe <launcher> [<launcher> ...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const qv::test::FakeProgramFolders fakes{qv::WindowsPath(argv[2]), qv::WindowsPath(argv[3])};
    std::vector<qv::Program> programs;
    bool afterTemplate = false;
    for (int i = 4; i < argc; ++i) {
        programs.push_back(
            {qv::LabelOf(argv[i], programs), qv::WindowsPath(argv[i]), afterTemplate});
        afterTemplate = afterTemplate || programs.back().name == qv::TemplateName;
    }
    if (!afterTemplate) {
        std::fprintf(stderr, "qv_startup_bench: no %s among the programs\n", qv::TemplateName);
        return 2;
    }
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
    std::printf("\n(%d runs each. visible: from CreateProcessW to the dialog showing; painted: to "
                "its last WM_PAINT returned with nothing left to paint. /empty, /template: ratio "
                "of the medians; in brackets: the median of each round's ratio, and below, the "
                "middle half of the rounds' ratios.)\n",
                runs);
    return 0;
}
