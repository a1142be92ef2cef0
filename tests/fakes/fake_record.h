// What the stand-ins for Fluent, Workbench, MATLAB and VsRegEdit agree on with the tests that
// start them: the variables they read, the names of their windows and the record each one leaves.
//
// Record: a UTF-8 text file "<program>-<pid>.txt" in the folder named by QV_FAKE_RECORD_DIR
// (no record when it is unset), where <program> is the lower-case file name of the running exe
// without ".exe" (fl2520s, fluent, runwb2, matlab, vsregedit, browser). One "key=value" entry per
// line, split at the first "="; keys repeat for lists (argv, env), in order. In values, "%", CR and
// LF are written as %25, %0D and %0A so that every entry stays on one line. The file appears whole:
// it is written under a temporary name and then renamed.
#pragma once

#include <string>
#include <string_view>

namespace qv::fake {

// Environment read by the stand-ins.
inline constexpr wchar_t RecordDirVariable[] = L"QV_FAKE_RECORD_DIR";
// How long the solver and Workbench stay alive (milliseconds, default 60 s).
inline constexpr wchar_t LifetimeVariable[] = L"QV_FAKE_LIFETIME_MS";
// How long the stand-ins for MATLAB and VsRegEdit stay after recording (milliseconds, default 0):
// long enough to show that the launcher does not wait for them.
inline constexpr wchar_t RecorderLifetimeVariable[] = L"QV_FAKE_RECORDER_LIFETIME_MS";
// How long the solver waits for the launcher window's user data (milliseconds, default 60 s).
inline constexpr wchar_t WaitVariable[] = L"QV_FAKE_WAIT_MS";
// How long the start program waits for the solver's window before it ends (milliseconds,
// default 30 s); 0 ends it at once, as a start program that does not wait for Fluent.
inline constexpr wchar_t StartWaitVariable[] = L"QV_FAKE_START_WAIT_MS";
// An exit code: the start program ends at once with it, starting nothing (a licence failure has
// this shape).
inline constexpr wchar_t StartFailsVariable[] = L"QV_FAKE_START_EXIT_CODE";
// A program the failing start program leaves running behind it (a helper, a console child).
inline constexpr wchar_t StartHelperVariable[] = L"QV_FAKE_START_HELPER";
// How long the solver takes to show its window (milliseconds, default 0).
inline constexpr wchar_t WindowDelayVariable[] = L"QV_FAKE_WINDOW_DELAY_MS";
// A file the solver waits for, within its lifetime, before it sends the close signal: the test
// decides when the module's menu "is loaded".
inline constexpr wchar_t SignalGateVariable[] = L"QV_FAKE_SIGNAL_GATE";
// "1": the module signals at once, before the solver's window shows, without waiting for the
// launcher to record it (a module that does not check).
inline constexpr wchar_t SignalFirstVariable[] = L"QV_FAKE_SIGNAL_FIRST";
// The class of the solver's main window, when not the usual one: a Fluent the launcher's search
// does not recognise.
inline constexpr wchar_t WindowClassVariable[] = L"QV_FAKE_WINDOW_CLASS";
// How long the solver takes to show Fluent 12's console after its main window (milliseconds,
// default 0).
inline constexpr wchar_t ConsoleDelayVariable[] = L"QV_FAKE_CONSOLE_DELAY_MS";
// How long the solver, once its console shows, does not look at its messages, as a busy Fluent
// 12 (milliseconds, default 0).
inline constexpr wchar_t ConsoleBusyVariable[] = L"QV_FAKE_CONSOLE_BUSY_MS";
// "1": the solver also shows Fluent 12's console and, without -i, loads the module from what is
// entered there.
inline constexpr wchar_t ConsoleVariable[] = L"QV_FAKE_CONSOLE";
inline constexpr wchar_t LauncherWindowVariable[] = L"__SharedLauncherWnd__";
inline constexpr wchar_t ProductFolderVariable[] = L"QUORVEX_PATH";

inline constexpr unsigned DefaultLifetimeMs = 60000;
inline constexpr unsigned DefaultWaitMs = 60000;

// The add-on module's signal that its menu is loaded.
inline constexpr unsigned CloseSignal = 1623;

inline constexpr wchar_t SolverExeName[] = L"fl2520s.exe";
inline constexpr wchar_t SolverWindowClass[] = L"Qt51517QWindowIcon";
inline constexpr wchar_t SolverWindowTitle[] = L"ANSYS Fluent (simulated)";
// Fluent 12's console: an MFC frame of Fluent 12 with a multi-line edit.
inline constexpr wchar_t ConsoleFrameClass[] = L"Afx:00000000:8:simulated-console";
inline constexpr wchar_t ConsoleFrameTitle[] = L"Fluent console (simulated)";

// The line the launcher writes to %USERPROFILE%\.fluent for a Workbench start.
inline constexpr char FastLoadLine[] =
    "(fast-load (open-input-file (format #f \"~a\\\\loader.bin\" (getenv \"QUORVEX_PATH\"))) "
    "(the-environment))";

// Keys of the record.
namespace key {
inline constexpr wchar_t Program[] = L"program"; // fl2520s, fluent, runwb2, ...
inline constexpr wchar_t Module[] = L"module";   // full path of the running exe
inline constexpr wchar_t ProcessId[] = L"pid";
inline constexpr wchar_t Bits[] = L"bits";                // 32 or 64
inline constexpr wchar_t CommandLine[] = L"command_line"; // GetCommandLineW()
inline constexpr wchar_t Argv[] = L"argv";                // the C runtime's parse, one per entry
inline constexpr wchar_t CurrentFolder[] = L"cwd";
inline constexpr wchar_t Environment[] = L"env"; // NAME=value, one per variable
// The show state the starter asked for (decimal, 0 is SW_HIDE), or "default" when it asked for
// none.
inline constexpr wchar_t ShowWindow[] = L"show_window";
// Console stand-ins: whether the system gave them a console window (GetConsoleWindow),
// "present" or "none".
inline constexpr wchar_t ConsoleWindow[] = L"console_window";
// Start program and Workbench: the solver they started.
inline constexpr wchar_t Started[] = L"started"; // solver path, or "none"
inline constexpr wchar_t StartedProcessId[] = L"started_pid";
inline constexpr wchar_t StartedWindow[] = L"started_window"; // shown / not-shown
// Solver: its window and the outcome of each check (pass / fail / skipped). The user data
// passes when it names this process, or, without -i (a Workbench start), the process that
// started this one; it is skipped when the module could not load.
inline constexpr wchar_t Window[] = L"window";                  // own window handle, decimal
inline constexpr wchar_t LauncherWindow[] = L"launcher_window"; // as read from the variable
inline constexpr wchar_t UserDataCheck[] = L"check_user_data";
inline constexpr wchar_t UserData[] = L"user_data";         // last value read, decimal
inline constexpr wchar_t LoaderSource[] = L"loader_source"; // "-i", ".fluent" or "console"
inline constexpr wchar_t Loader[] = L"loader";              // the file the module was loaded from
inline constexpr wchar_t LoaderCheck[] = L"check_loader";
inline constexpr wchar_t Signal[] = L"signal";            // sent / withheld / undelivered
inline constexpr wchar_t FirstSignal[] = L"first_signal"; // sent / undelivered, before the window
// When the window showed: QueryPerformanceCounter just before it became visible, decimal.
inline constexpr wchar_t WindowShownAt[] = L"window_shown_at";
// When the module sent its close signal: QueryPerformanceCounter just before, decimal.
inline constexpr wchar_t SignalSentAt[] = L"signal_sent_at";
// The console: how the command arrived (pasted / typed / both / none) and its text at Enter.
inline constexpr wchar_t ConsoleEntry[] = L"console_entry";
inline constexpr wchar_t ConsoleText[] = L"console_text";
} // namespace key

inline constexpr wchar_t Pass[] = L"pass";
inline constexpr wchar_t Fail[] = L"fail";
inline constexpr wchar_t Skipped[] = L"skipped";

inline std::wstring EscapeRecordValue(std::wstring_view value) {
    std::wstring escaped;
    escaped.reserve(value.size());
    for (wchar_t c : value) {
        if (c == L'%')
            escaped += L"%25";
        else if (c == L'\r')
            escaped += L"%0D";
        else if (c == L'\n')
            escaped += L"%0A";
        else
            escaped += c;
    }
    return escaped;
}

inline std::wstring UnescapeRecordValue(std::wstring_view value) {
    std::wstring text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::wstring_view code = value.substr(i, 3);
        if (code == L"%25")
            text += L'%';
        else if (code == L"%0D")
            text += L'\r';
        else if (code == L"%0A")
            text += L'\n';
        else {
            text += value[i];
            continue;
        }
        i += 2;
    }
    return text;
}

} // namespace qv::fake
