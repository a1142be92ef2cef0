// The program a command line names at its head, for starting it by name rather than leaving the
// system to find it in the line. Pure.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A quoted head is the program as written. Unquoted, the texts up to each blank are taken in turn,
// as the system tries them, and the first that names an existing file ending in ".exe" is the
// program. A shorter text the system would complete with ".exe" itself is never taken: for a
// program below "C:\Program Files" that would be a planted "C:\Program.exe". Nothing when no text
// fits.
std::optional<std::wstring> ProgramAtHead(std::wstring_view commandLine,
                                          const std::function<bool(const std::wstring&)>& isFile);

} // namespace qv
