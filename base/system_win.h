// Facts about the machine and the user the launcher runs as.
#pragma once

namespace qv {

// True when the native processor architecture is x64 or Itanium, also for a 32-bit process
// running under WoW64.
bool IsWindows64Bit();

// True when the process token is a member of the built-in Administrators group; false on any
// failure.
bool IsUserAdministrator();

} // namespace qv
