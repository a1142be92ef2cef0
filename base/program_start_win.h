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
};

// Starts the program with the launcher's own environment and current folder and no inherited
// handles, and logs the start or its failure. The handles are empty and error is set when the
// start failed.
[[nodiscard]] ProcessHandles StartProcess(const ProgramStart& start);

} // namespace qv
