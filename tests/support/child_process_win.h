// Starting a program as the launcher starts one: the executable is the application name, never
// looked for in the command line, so a blank in an unquoted path cannot start another program.
#pragma once

#include "base/handles_win.h"

#include <string>
#include <vector>

namespace qv::test {

struct StartOptions {
    // "NAME=value" sets a variable, "NAME=" removes it; the rest is this process's environment.
    std::vector<std::wstring> environmentChanges;
    std::wstring currentFolder; // "" for this process's
    bool hidden = false;
    // Without this program's console, as a program started from the desktop has none: a console
    // program it starts then gets a console of its own.
    bool detached = false;
};

// The command line goes to the program exactly as given (it names the program first). Only a
// Windows program starts: for anything else the handles stay empty and error is
// ERROR_BAD_EXE_FORMAT, since Wine would start it as a Unix program and hand back no handles.
ProcessHandles StartProgram(const std::wstring& exe, std::wstring commandLine,
                            const StartOptions& options = {});

// Ends every program running from below the folder: those that the code under test started.
void EndProgramsBelow(const std::wstring& folder);
// How many programs run from below the folder.
int ProgramsRunningBelow(const std::wstring& folder);

} // namespace qv::test
