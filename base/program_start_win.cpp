#include "base/program_start_win.h"

#include "base/executable_image_win.h"
#include "base/launch_log.h"
#include "base/launch_log_win.h"

namespace qv {

namespace {

DWORD CreationFlags(const ProgramStart& start) {
    if (!start.unseen || start.program.empty() ||
        ReadExecutableSubsystem(start.program) != ExecutableSubsystem::Console)
        return 0;
    return CREATE_NO_WINDOW;
}

} // namespace

ProcessHandles StartProcess(const ProgramStart& start) {
    ProcessHandles handles;
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(start.show);
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line: it gets a private copy.
    std::wstring line(start.commandLine);
    // Named apart, the executable is the one that starts even where the head of the line could
    // be read as a shorter path (C:\Program.exe for C:\Program Files\...).
    const wchar_t* program = start.program.empty() ? nullptr : start.program.c_str();
    const DWORD flags = CreationFlags(start);
    if (!::CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                          &startup, &info)) {
        handles.error = ::GetLastError();
        // The system's text names the program ("%1 is not a valid Win32 application").
        Log(LogLevel::Error,
            FailureLogText(L"start the program", start.commandLine, handles.error,
                           FilledSystemText(SystemErrorText(handles.error), start.program)));
        return handles;
    }
    handles.process.reset(info.hProcess);
    handles.thread.reset(info.hThread);
    handles.processId = info.dwProcessId;
    Log(L"started (process " + std::to_wstring(info.dwProcessId) +
        ((flags & CREATE_NO_WINDOW) != 0 ? L", a console program without a console window" : L"") +
        L"): " + start.commandLine);
    return handles;
}

} // namespace qv
