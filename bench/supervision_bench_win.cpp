// Measures the launcher while it waits for a new Fluent window after a direct start: its CPU
// (share of one core), the delay from the Fluent window showing to its being recorded in the
// dialog's user data, and the longest time the dialog takes to answer a message meanwhile.
// The real QuorvexLauncher.exe starts a simulated Fluent 2025 R2 whose start program ends at once
// and whose solver shows its window only after a while. Then how soon the launcher ends from the
// add-on's close signal and from Cancel, with nothing installed and with a typical installation
// (launcher_end_win.h). Run by tools/measure-supervision.sh:
//   qv_supervision_bench <launcher exe> <32-bit stand-ins> <64-bit stand-ins> [runs] [delay ms]
#include "bench/launcher_end_win.h"
#include "bench/launcher_probe_win.h"
#include "base/environment_win.h"
#include "base/handles_win.h"
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/registry_edit_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/top_level_windows_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace test;

// Wine's GetProcessTimes does not see other processes: the host's /proc does. The launcher is
// the running host process whose first argument is its exe, as Wine started it.
std::wstring HostProcessOf(const std::wstring& exe) {
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW(L"Z:\\proc\\*", &entry));
    if (!find) return L"";
    do {
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        const auto commandLine = ReadFileBytes(folder + L"\\cmdline");
        const auto stat = ReadFileBytes(folder + L"\\stat");
        if (!commandLine || !stat || stat->find(") Z") != std::string::npos) continue;
        std::wstring first;
        for (const char c : *commandLine) {
            if (c == '\0') break;
            first += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
        }
        if (EqualsNoCase(first, exe)) return folder;
    } while (::FindNextFileW(find.get(), &entry));
    return L"";
}

// User and system time of a host process in seconds, from its stat file; -1 when unreadable.
double CpuSeconds(const std::wstring& hostProcess) {
    const auto stat = ReadFileBytes(hostProcess + L"\\stat");
    if (!stat) return -1;
    // Fields after the command name in parentheses: utime and stime are the 14th and 15th.
    const std::size_t close = stat->rfind(')');
    if (close == std::string::npos) return -1;
    std::vector<std::string> fields;
    std::size_t start = close + 2;
    while (start < stat->size()) {
        const std::size_t space = stat->find(' ', start);
        fields.push_back(stat->substr(start, space - start));
        if (space == std::string::npos) break;
        start = space + 1;
    }
    if (fields.size() < 13) return -1;
    constexpr double TicksPerSecond = 100; // the kernel's USER_HZ
    return (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) / TicksPerSecond;
}

// This thread has no windows: a pause is a sleep.
void Pause(DWORD milliseconds) {
    ::Sleep(milliseconds);
}

struct Sandbox {
    std::wstring root, records, product;
    bool ok = false;
};

Sandbox LayOutSandbox(const FakeProgramFolders& fakes) {
    Sandbox sandbox;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    sandbox.root = std::wstring(temp) + L"qv-supervision-bench";
    sandbox.records = sandbox.root + L"\\records";
    const bool windows64 = IsWindows64Bit();
    const std::wstring fluentFolder = sandbox.root + L"\\ANSYS Inc\\v252\\fluent";
    const SimulatedFluent fluent = LayOutFluent(fakes, fluentFolder, L"fluent25.2.0", windows64);
    const SimulatedProduct product =
        LayOutProductFolder(fakes, sandbox.root + L"\\Quorvex", {L"25.2"});
    const std::wstring vsRoot =
        std::wstring(windows64 ? L"C:\\Program Files (x86)" : L"C:\\Program Files") +
        L"\\Microsoft Visual Studio\\2019\\Community";
    const SimulatedVisualStudio vs = LayOutVisualStudio2019(fakes, vsRoot, windows64);
    const SimulatedMatlab matlab =
        LayOutMatlab(fakes, L"C:\\Program Files\\MATLAB\\R2020b", windows64);
    sandbox.product = product.folder;
    sandbox.ok =
        fluent.complete && product.complete && vs.complete && matlab.complete &&
        RegisterMatlab(L"9.9", matlab.root) && MakeFolders(sandbox.records) &&
        WriteRegistryText(HKEY_CURRENT_USER, SettingsKeyPath, L"FluentPathsUsed", fluentFolder) &&
        WriteRegistryText(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage", L"true");
    return sandbox;
}

struct Figures {
    bool ok = false;
    double cpuShare = 0;       // of one core, while searching
    double recordDelay = 0;    // seconds from the window showing to its being recorded
    double longestSilence = 0; // seconds the dialog took to answer, at most
};

Figures MeasureOnce(const std::wstring& launcherExe, const Sandbox& sandbox, DWORD windowDelayMs) {
    Figures figures;
    if (!RemoveTree(sandbox.records) || !MakeFolders(sandbox.records)) return figures;
    StartOptions options;
    options.environmentChanges = {
        L"QUORVEX_PATH=" + sandbox.product,
        std::wstring(fake::RecordDirVariable) + L"=" + sandbox.records,
        std::wstring(fake::StartWaitVariable) + L"=0",
        std::wstring(fake::WindowDelayVariable) + L"=" + std::to_wstring(windowDelayMs),
        std::wstring(fake::LifetimeVariable) + L"=" + std::to_wstring(windowDelayMs + 20000),
        L"QV_TEST_UPDATE_SOURCES=none", // no release check in the background of the figures
    };
    const ProcessHandles launcher = StartProgram(launcherExe, L"\"" + launcherExe + L"\"", options);
    if (!launcher.process) return figures;
    HWND dialog = nullptr;
    for (int i = 0; i < 3000 && !(dialog = FindLauncherDialog(launcher.processId)); ++i)
        Pause(10);
    if (!dialog) return figures;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));

    // CPU: from a second after OK, while the start program has ended and no window has shown,
    // with no message sent to the launcher.
    Pause(1000);
    const std::wstring host = HostProcessOf(launcherExe);
    const LONGLONG cpuStart = Now();
    const double cpuBefore = CpuSeconds(host);
    Pause(windowDelayMs / 2 - 1000);
    const double cpuAfter = CpuSeconds(host);
    if (cpuBefore < 0 || cpuAfter < 0) {
        std::fwprintf(stderr, L"cannot read the launcher's CPU time from %ls\n", host.c_str());
        return figures;
    }
    figures.cpuShare = (cpuAfter - cpuBefore) / Seconds(Now() - cpuStart);

    // Answers and the record: a message every 20 ms, the user data watched every millisecond.
    LONGLONG recordedAt = 0, lastProbe = 0;
    const ULONGLONG end = ::GetTickCount64() + windowDelayMs + 20000;
    while (!recordedAt && ::GetTickCount64() < end) {
        if (Seconds(Now() - lastProbe) >= 0.02) {
            lastProbe = Now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            figures.longestSilence = std::max(figures.longestSilence, Seconds(Now() - lastProbe));
        }
        if (::GetWindowLongPtrW(dialog, GWLP_USERDATA) != 0) recordedAt = Now();
        Pause(1);
    }
    ::WaitForSingleObject(launcher.process.get(), 20000);
    EndProgramsBelow(sandbox.root);
    // The solver noted when its window showed.
    const LONGLONG shownAt = SolverCounter(sandbox.records, "window_shown_at");
    if (!recordedAt || !shownAt) return figures;
    figures.recordDelay = Seconds(recordedAt - shownAt);
    figures.ok = true;
    return figures;
}

// Wine's X11 driver lets a window manager handle top-level windows unless told otherwise; the
// tests' prefix says not to, and none runs on their display.
bool SetWindowsManaged(bool managed) {
    return WriteRegistryText(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed",
                             managed ? L"Y" : L"N");
}

struct EndCase {
    const wchar_t* title;
    EndBy by;
    bool launchFirst;
    bool duringWait;
};

// The launcher's end, told by the close signal and by Cancel, runs times each. With Fluent
// found, the module's signal comes after a launch, as it does once its menu is loaded (the
// simulated module waits for a file the bench makes then), or the bench sends it while the
// launcher still waits for a Fluent window that is slow to show.
bool MeasureEnds(const std::wstring& launcher, const Sandbox* sandbox, int runs) {
    std::vector<std::wstring> environment = {L"QV_TEST_UPDATE_SOURCES=none"};
    std::vector<EndCase> cases = {{L"close signal", EndBy::CloseSignal, false, false},
                                  {L"Cancel", EndBy::Cancel, false, false}};
    if (sandbox) {
        environment.insert(
            environment.end(),
            {L"QUORVEX_PATH=" + sandbox->product,
             std::wstring(fake::RecordDirVariable) + L"=" + sandbox->records,
             std::wstring(fake::SignalGateVariable) + L"=" + sandbox->records + L"\\gate",
             std::wstring(fake::LifetimeVariable) + L"=60000"});
        cases = {
            {L"close signal of the launched Fluent's module", EndBy::ModuleSignal, true, false},
            {L"close signal while the launcher waits for Fluent", EndBy::CloseSignal, true, true},
            {L"Cancel", EndBy::Cancel, false, false}};
    }
    // Run on a display with a window manager (QV_WINDOW_MANAGER names it), only managed windows
    // are worth measuring there.
    const std::wstring windowManager = ReadEnvironmentVariable(L"QV_WINDOW_MANAGER");
    const std::vector<bool> modes =
        windowManager.empty() ? std::vector<bool>{false, true} : std::vector<bool>{true};
    for (const bool managed : modes) {
        if (!SetWindowsManaged(managed)) return false;
        const std::wstring how =
            !managed ? L"unmanaged windows (as in the tests' prefix)"
            : windowManager.empty()
                ? L"windows managed by Wine's X11 driver, no window manager running"
                : L"windows managed by Wine's X11 driver, the window manager " + windowManager +
                      L" running";
        std::wprintf(L"%ls, %ls:\n", sandbox ? L"typical installation" : L"nothing installed",
                     how.c_str());
        for (const EndCase& c : cases) {
            std::vector<EndFigures> all;
            for (int run = 0; run < runs; ++run) {
                EndRun end;
                end.launcherExe = launcher;
                end.environment = environment;
                end.by = c.by;
                end.launchFirst = c.launchFirst;
                end.duringWait = c.duringWait;
                if (sandbox) end.startedProgramsBelow = sandbox->root;
                if (c.duringWait)
                    end.environment.push_back(std::wstring(fake::WindowDelayVariable) + L"=30000");
                if (sandbox) {
                    end.records = sandbox->records;
                    end.signalGate = sandbox->records + L"\\gate";
                    if (!RemoveTree(sandbox->records) || !MakeFolders(sandbox->records))
                        return false;
                }
                const EndFigures f = MeasureEnd(end);
                if (!f.ok) {
                    std::fwprintf(stderr, L"%ls: run %d failed\n", c.title, run + 1);
                    return false;
                }
                all.push_back(f);
            }
            ReportEnds((std::wstring(L"  ") + c.title).c_str(), all);
        }
    }
    return SetWindowsManaged(false);
}

int Run(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: qv_supervision_bench <launcher> <fakes32> <fakes64> "
                              L"[runs] [window delay ms]\n");
        return 2;
    }
    const std::wstring launcher = argv[1];
    const FakeProgramFolders fakes{argv[2], argv[3]};
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
    const DWORD delay = argc > 5 ? static_cast<DWORD>(std::max(4000, _wtoi(argv[5]))) : 12000;
    // The fresh prefix's own programs start beside this one: measured once they have, as on a
    // machine that is up and running.
    Pause(4000);
    if (!WriteRegistryText(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage",
                           L"true") ||
        !MeasureEnds(launcher, nullptr, runs))
        return 1;
    const Sandbox sandbox = LayOutSandbox(fakes);
    if (!sandbox.ok) {
        std::fwprintf(stderr, L"cannot lay out the sandbox in %ls\n", sandbox.root.c_str());
        return 1;
    }
    std::vector<Figures> all;
    for (int run = 0; run < runs; ++run) {
        // The launcher searches at a steady pace from the start: a delay that varies from run to
        // run lets the window show at every point between two searches.
        const Figures f =
            MeasureOnce(launcher, sandbox, delay + static_cast<DWORD>(run * 71 % 200));
        if (!f.ok) {
            std::fwprintf(stderr, L"run %d failed\n", run + 1);
            return 1;
        }
        std::wprintf(L"run %d: cpu %.2f%% of a core, recorded %.0f ms after the window showed, "
                     L"longest answer %.0f ms\n",
                     run + 1, 100 * f.cpuShare, 1000 * f.recordDelay, 1000 * f.longestSilence);
        all.push_back(f);
    }
    auto worst = [&](double Figures::*field) {
        double value = 0;
        for (const Figures& f : all)
            value = std::max(value, f.*field);
        return value;
    };
    std::wprintf(L"worst of %d runs: cpu %.2f%% of a core (goal <= 1%%), record delay %.0f ms "
                 L"(goal <= 300 ms), longest answer %.0f ms (goal < 1000 ms)\n",
                 runs, 100 * worst(&Figures::cpuShare), 1000 * worst(&Figures::recordDelay),
                 1000 * worst(&Figures::longestSilence));
    if (!MeasureEnds(launcher, &sandbox, runs)) return 1;
    if (!RemoveTree(sandbox.root)) std::fwprintf(stderr, L"left %ls\n", sandbox.root.c_str());
    return 0;
}

} // namespace
} // namespace qv

int wmain(int argc, wchar_t** argv) {
    return qv::Run(argc, argv);
}
