// Stand-in for Fluent's solver with the add-on's module inside: shows a Fluent main window, then
// does what the module promises the launcher, and nothing more:
//   the module is loaded from the file named after -i (quotes around it stripped, as Fluent 6.3
//   receives it), or, without -i, from the command entered in Fluent 12's console when it shows
//   one (QV_FAKE_CONSOLE), or else, as under Workbench, through a .fluent whose first line is
//   the fast-load line, which loads %QUORVEX_PATH%\loader.bin;
//   once the launcher window named in __SharedLauncherWnd__ holds, as its user data, the id of
//   the process the launcher started (this process; under Workbench, the Workbench process that
//   started this one), message 1623 goes to that window with its own handle as first parameter.
// A missing loader means no module, hence no signal. A module may also signal at once, before the
// window shows (QV_FAKE_SIGNAL_FIRST). The signal may also wait for a file the test
// makes (QV_FAKE_SIGNAL_GATE); the record is then written once before that wait and again after.
// Everything is recorded.
#include "base/environment_win.h"
#include "tests/fakes/console_win.h"
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/file_tree_win.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace qv::fake {
namespace {

LRESULT CALLBACK SolverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The performance counter runs alike in every process of the machine.
std::wstring PerformanceCounterNow() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return std::to_wstring(now.QuadPart);
}

// The window, shown; shownAt is the counter just before it became visible.
HWND ShowSolverWindow(HINSTANCE instance, std::wstring& shownAt) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &SolverProcedure;
    windowClass.hInstance = instance;
    const std::wstring className = SolverWindowClassInForce();
    windowClass.lpszClassName = className.c_str();
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, className.c_str(), SolverWindowTitle, WS_OVERLAPPEDWINDOW,
                                    CW_USEDEFAULT, CW_USEDEFAULT, 480, 320, nullptr, nullptr,
                                    instance, nullptr);
    if (!window) return nullptr;
    // The first ShowWindow may take its state from the parent's start-up record (hidden, when the
    // launcher started us directly); Fluent's window shows regardless.
    shownAt = PerformanceCounterNow();
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    return window;
}

// Handles this thread's messages until the deadline, or until WM_QUIT (then false).
bool PumpMessagesFor(DWORD milliseconds) {
    const Deadline deadline(milliseconds);
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return false;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline.Remaining(), QS_ALLINPUT);
    } while (!deadline.Passed());
    return true;
}

std::wstring Unquoted(std::wstring path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        return path.substr(1, path.size() - 2);
    return path;
}

bool BeginsWithFastLoadLine(const std::wstring& path) {
    const std::optional<std::string> text = test::ReadFileBytes(path);
    return text && text->compare(0, std::string_view(FastLoadLine).size(), FastLoadLine) == 0;
}

struct Loading {
    bool loaded = false;
    bool throughStartupFile = false; // no -i: started as Workbench starts Fluent
};

// The add-on's command for Fluent 12's console, entered within the wait: (open-udf-library
// "<QUORVEX_PATH>\addon") naming an existing folder.
bool LoadThroughConsole(const Console& console, Record& record, bool& quit) {
    const Deadline deadline(ReadMilliseconds(WaitVariable, DefaultWaitMs));
    while (!quit && !console.Entered() && !deadline.Passed())
        quit = !PumpMessagesFor(20);
    const std::wstring addon = ReadEnvironmentVariable(ProductFolderVariable) + L"\\addon";
    record.Add(key::LoaderSource, L"console");
    record.Add(key::Loader, addon);
    record.Add(key::ConsoleEntry, console.Entry());
    record.Add(key::ConsoleText, console.Line());
    return console.Line() == L"(open-udf-library \"" + addon + L"\")" && test::IsFolder(addon);
}

// Where the module comes from and whether it can be loaded from there.
Loading LoadModule(const std::vector<std::wstring>& arguments, const Console* console,
                   Record& record, bool& quit) {
    Loading loading;
    std::size_t option = 1;
    while (option < arguments.size() && arguments[option] != L"-i")
        ++option;
    std::wstring loader;
    if (option < arguments.size()) {
        // -i as the last argument names no file: nothing loads.
        loader = option + 1 < arguments.size() ? Unquoted(arguments[option + 1]) : L"";
        loading.loaded = test::IsFile(loader);
        record.Add(key::LoaderSource, L"-i");
    } else if (console) {
        loading.loaded = LoadThroughConsole(*console, record, quit);
        record.Add(key::LoaderCheck, loading.loaded ? Pass : Fail);
        return loading;
    } else {
        // Fluent runs %USERPROFILE%\.fluent at every start; the launcher's line there loads
        // loader.bin from the folder this process's QUORVEX_PATH names.
        loading.throughStartupFile = true;
        loader = ReadEnvironmentVariable(ProductFolderVariable) + L"\\loader.bin";
        loading.loaded =
            BeginsWithFastLoadLine(ReadEnvironmentVariable(L"USERPROFILE") + L"\\.fluent") &&
            test::IsFile(loader);
        record.Add(key::LoaderSource, L".fluent");
    }
    record.Add(key::Loader, loader);
    record.Add(key::LoaderCheck, loading.loaded ? Pass : Fail);
    return loading;
}

DWORD ParentProcessId() {
    const DWORD self = ::GetCurrentProcessId();
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    if (!snapshot || !::Process32FirstW(snapshot.get(), &entry)) return 0;
    do {
        if (entry.th32ProcessID == self) return entry.th32ParentProcessID;
    } while (::Process32NextW(snapshot.get(), &entry));
    return 0;
}

HWND LauncherWindowFrom(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || value == 0) return nullptr;
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
}

DWORD UserDataOf(HWND window) {
    // The launcher stores a 32-bit process id, also when this solver is 64-bit.
    return static_cast<DWORD>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Waits, handling messages, until the launcher's user data names the process it started.
bool WaitForStartedProcessId(HWND launcher, bool underWorkbench, DWORD waitMs, Record& record,
                             bool& quit) {
    const Deadline deadline(waitMs);
    const DWORD self = ::GetCurrentProcessId();
    const DWORD workbench = underWorkbench ? ParentProcessId() : 0;
    DWORD seen = 0;
    bool matched = false;
    while (!quit && ::IsWindow(launcher)) {
        seen = UserDataOf(launcher);
        if ((matched = seen == self || (workbench != 0 && seen == workbench)) || deadline.Passed())
            break;
        quit = !PumpMessagesFor(20);
    }
    record.Add(key::UserData, std::to_wstring(seen));
    record.Add(key::UserDataCheck, matched ? Pass : Fail);
    return matched;
}

const wchar_t* SendCloseSignal(HWND launcher) {
    DWORD_PTR result = 0;
    const LRESULT delivered =
        ::SendMessageTimeoutW(launcher, CloseSignal, reinterpret_cast<WPARAM>(launcher), 0,
                              SMTO_NORMAL | SMTO_ABORTIFHUNG, 10000, &result);
    return delivered ? L"sent" : L"undelivered";
}

// Waits, handling messages, until the test makes the gate file (when it names one).
void PassSignalGate(const Deadline& lifetime, Record& record, bool& quit) {
    const std::wstring gate = ReadEnvironmentVariable(SignalGateVariable);
    if (gate.empty()) return;
    record.Write();
    while (!quit && !test::IsFile(gate) && !lifetime.Passed())
        quit = !PumpMessagesFor(20);
}

int Run(HINSTANCE instance) {
    const Deadline lifetime(ReadMilliseconds(LifetimeVariable, DefaultLifetimeMs));
    Record record;
    if (ReadEnvironmentVariable(SignalFirstVariable) == L"1") {
        HWND launcher = LauncherWindowFrom(ReadEnvironmentVariable(LauncherWindowVariable));
        record.Add(key::FirstSignal, launcher ? SendCloseSignal(launcher) : L"undelivered");
    }
    bool quit = !PumpMessagesFor(ReadMilliseconds(WindowDelayVariable, 0));
    Console console;
    const bool withConsole = ReadEnvironmentVariable(ConsoleVariable) == L"1";
    const DWORD consoleDelay = ReadMilliseconds(ConsoleDelayVariable, 0);
    // Fluent 12 shows its console with its frame, or a while after it.
    auto showConsole = [&] {
        if (withConsole && !console.Show(instance)) record.Add(key::ConsoleEntry, L"no console");
    };
    if (consoleDelay == 0) showConsole();
    std::wstring shownAt;
    HWND window = ShowSolverWindow(instance, shownAt);
    record.Add(key::WindowShownAt, shownAt);
    record.Add(key::Window, std::to_wstring(reinterpret_cast<ULONG_PTR>(window)));
    if (consoleDelay != 0) {
        quit = quit || !PumpMessagesFor(consoleDelay);
        showConsole();
    }

    if (const DWORD busy = ReadMilliseconds(ConsoleBusyVariable, 0)) ::Sleep(busy);
    const Loading loading =
        LoadModule(CrtArguments(), withConsole ? &console : nullptr, record, quit);
    const std::wstring launcherText = ReadEnvironmentVariable(LauncherWindowVariable);
    record.Add(key::LauncherWindow, launcherText);
    HWND launcher = LauncherWindowFrom(launcherText);

    bool mayClose = false;
    if (!loading.loaded) {
        record.Add(key::UserDataCheck, Skipped);
    } else if (!launcher || !::IsWindow(launcher)) {
        record.Add(key::UserDataCheck, Fail);
    } else {
        mayClose =
            WaitForStartedProcessId(launcher, loading.throughStartupFile,
                                    ReadMilliseconds(WaitVariable, DefaultWaitMs), record, quit);
    }
    if (mayClose) PassSignalGate(lifetime, record, quit);
    mayClose = mayClose && !quit && ::IsWindow(launcher);
    if (mayClose) record.Add(key::SignalSentAt, PerformanceCounterNow());
    record.Add(key::Signal, mayClose ? SendCloseSignal(launcher) : L"withheld");
    record.Write();

    while (!quit && !lifetime.Passed())
        quit = !PumpMessagesFor(lifetime.Remaining());
    return 0;
}

} // namespace
} // namespace qv::fake

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return qv::fake::Run(instance);
}
