// Measures the launcher while it waits for a new Fluent window after a direct start: its CPU
// (share of one core), the delay from the Fluent window showing to its being recorded in the
// dialog's user data, and the longest time the dialog takes to answer a message meanwhile.
// The real QuorvexLauncher.exe starts a simulated Fluent 2025 R2 whose start program ends at once
// and whose solver shows its window only after a while. Run by tools/measure-supervision.sh:
//   qv_supervision_bench <launcher exe> <32-bit stand-ins> <64-bit stand-ins> [runs] [delay ms]
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

double Seconds(LONGLONG counts) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counts) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

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

HWND FindLauncherDialog(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId))
        if (ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_FLUENT_LIST))
            return window;
    return nullptr;
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
    sandbox.product = product.folder;
    sandbox.ok =
        fluent.complete && product.complete && vs.complete && MakeFolders(sandbox.records) &&
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
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((sandbox.records + L"\\fl2520s-*.txt").c_str(), &entry));
    if (!recordedAt || !find) return figures;
    const auto record = ReadFileBytes(sandbox.records + L"\\" + entry.cFileName);
    const std::string key = "window_shown_at=";
    const std::size_t at = record ? record->find(key) : std::string::npos;
    if (at == std::string::npos) return figures;
    const LONGLONG shownAt = std::atoll(record->c_str() + at + key.size());
    figures.recordDelay = Seconds(recordedAt - shownAt);
    figures.ok = true;
    return figures;
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
    if (!RemoveTree(sandbox.root)) std::fwprintf(stderr, L"left %ls\n", sandbox.root.c_str());
    return 0;
}

} // namespace
} // namespace qv

int wmain(int argc, wchar_t** argv) {
    return qv::Run(argc, argv);
}
