// The one way the launcher starts a program.
#pragma once

#include "base/handles_win.h"

#include <string>

namespace qv {

struct ProgramStart {
    // The executable that starts, named apart from the command line. "" leaves the system to find
    // it at the line's head, which no start of the launcher does.
    std::wstring program;
    // The command line the program receives. Its head is the program, quoted: programs split
    // their own command line (CommandLineToArgvW, the C runtime), and an unquoted path with a
    // blank would reach them as several arguments.
    std::wstring commandLine;
    int show = SW_HIDE;
    // A helper the user never sees (a settings tool, a registration). A console program among
    // them starts without a console window: hidden alone, its console may still show, in a
    // terminal that is the system's default (Windows Terminal). Fluent and Workbench keep theirs.
    bool unseen = false;
};

// Starts the program with the launcher's own environment and current folder and no inherited
// handles, and logs the start or its failure. An unseen console program is told by its image's
// subsystem. The handles are empty and error is set when the
// start failed.
[[nodiscard]] ProcessHandles StartProcess(const ProgramStart& start);

} // namespace qv
