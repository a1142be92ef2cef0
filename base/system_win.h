// Facts about the machine and the user the launcher runs as.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// A file of the system folder by its full path: system tools and libraries are never taken
// from the current folder or beside the launcher. "" when the folder cannot be read.
std::wstring SystemFolderFile(std::wstring_view name);

// "10.0.19045" as the system reports itself, whatever the program's manifest claims.
std::wstring WindowsVersionText();

// True when the native processor architecture is x64 or Itanium, also for a 32-bit process
// running under WoW64.
bool IsWindows64Bit();

// True when the process token is a member of the built-in Administrators group; false on any
// failure.
bool IsUserAdministrator();

} // namespace qv
