// The running Fluent processes, their main windows and Fluent 12's console.
#pragma once

#include "launch/supervision/process_snapshot_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qv {

// The processes named like Fluent's that own a Fluent main window, in snapshot order; empty
// when no snapshot can be taken.
std::vector<std::uint32_t> ListFluentProcesses();
// The same among the processes of a snapshot already taken.
std::vector<std::uint32_t> FluentProcessesIn(const std::vector<RunningProcess>& processes);

// The processes owning a Fluent main window, whatever their names, in window order (a process
// may appear more than once). Much cheaper than a process snapshot: the search asks this first.
std::vector<std::uint32_t> FluentWindowOwners();

// The first top-level window of the process, in the platform's window order, that is visible,
// has no parent, carries a Fluent frame class and a title with "fluent" in it.
HWND FindFluentWindow(std::uint32_t processId);

// Fluent 12's console among the windows of the process, or null: never a window of another
// process and never an edit outside Fluent 12's frame.
HWND FindFluentConsole(std::uint32_t processId);

} // namespace qv
