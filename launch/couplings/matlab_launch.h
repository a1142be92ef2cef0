// What the MATLAB coupling asks of a MATLAB root and what it gives the Fluent process: the files
// of the component each link mode needs, the automation-server registration and the search path.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// MATLAB's folder name for the bitness of the chosen Fluent.
std::wstring MatlabArch(bool fluent64);

// MATLAB Coder, needed for static linking.
std::wstring MatlabCoderFile(std::wstring_view root);
// MATLAB Compiler's header and library, needed for dynamic linking.
std::array<std::wstring, 2> MatlabCompilerFiles(std::wstring_view root, std::wstring_view arch);

// MATLAB's own program, and the command that registers it as an automation server and ends it.
std::wstring MatlabProgram(std::wstring_view root, std::wstring_view arch);
std::wstring MatlabRegistrationCommandLine(std::wstring_view root, std::wstring_view arch);

// PATH with MATLAB's run-time, bin and bin\<arch> folders in front of the current value (its
// trailing separators removed), or those three alone when PATH does not exist.
std::wstring MatlabSearchPath(std::wstring_view root, std::wstring_view arch,
                              const std::optional<std::wstring>& currentPath);

} // namespace qv
