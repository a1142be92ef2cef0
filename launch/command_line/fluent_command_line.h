// The command line that starts Fluent, or Workbench, for one launch.
#pragma once

#include "launch/record/launch_options.h"

#include <string>
#include <string_view>

namespace qv {

// The program at the head of the command line: Workbench's or Fluent's executable as given, or,
// for Fluent 21.2 and 22.1 started serial, the add-on's own serial start program in the
// product folder.
std::wstring FluentStartProgram(bool startByWorkbench, std::wstring_view executable, double version,
                                std::wstring_view productFolder, const LaunchOptions& options);

// For a direct start: the program quoted, the dimension and precision token, the process
// option and the loader of the add-on's Fluent module. For Workbench: the executable alone, quoted.
// dimension, doublePrecision, processingMode and processCount come from the options.
std::wstring ComposeFluentCommandLine(bool startByWorkbench, std::wstring_view executable,
                                      double version, std::wstring_view productFolder,
                                      const LaunchOptions& options);

} // namespace qv
