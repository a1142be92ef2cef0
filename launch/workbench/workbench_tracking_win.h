// Whether a Workbench started by a launcher still runs: such a Workbench inherited
// __SharedLauncherWnd__, read here out of its memory.
#pragma once

#include "launch/workbench/remote_environment.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace qv {

// True when some RunWB2.exe other than this process has __SharedLauncherWnd__ in its
// environment, or cannot be read (it may be one). Any launcher's Workbench counts.
bool IsWorkbenchRunningForLauncher(HWND owner);

// The variable of another process's environment: on 64-bit Windows through the functions for
// 64-bit address spaces and the 64-bit layouts. -1 when the block cannot be read; a process that
// cannot be opened is also reported to the user, owned by owner.
RemoteVariable ReadRemoteEnvironmentVariable(bool windows64, HWND owner, std::uint32_t processId,
                                             std::wstring_view name);

} // namespace qv
