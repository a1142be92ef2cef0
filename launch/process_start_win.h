// Starting the programs of a launch, and the folder they start in.
#pragma once

#include "base/handles_win.h"

#include <string>
#include <string_view>

namespace qv {

// Starts a program hidden, with the launcher's own environment and current folder and no
// inherited handles. The command line reaches the program exactly as given, executable
// unquoted at its head; the executable itself is named separately, so a blank in its path can
// never start another program (C:\Program.exe for C:\Program Files\...).
ProcessHandles StartHidden(std::wstring_view program, std::wstring_view commandLine);

// The folder Fluent starts in, made the launcher's current folder for the rest of its run: the
// setting FluentStartPath when it names a folder, else the home folder, else C:\Users.
void SetStartFolder(std::wstring_view homeFolder);

} // namespace qv
