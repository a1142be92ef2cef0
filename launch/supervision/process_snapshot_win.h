// The running processes as a snapshot shows them (id, parent, executable name) and when a process
// started, for telling which processes a launch's start program has started.
#pragma once

#include "launch/supervision/fluent_process.h"
#include "launch/supervision/process_lineage.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct RunningProcess {
    std::uint32_t id = 0;
    std::uint32_t parentId = 0;
    std::wstring executable; // the file name only
};

// Empty when no snapshot can be taken.
std::vector<RunningProcess> SnapshotProcesses();
std::vector<ProcessLink> LinksOf(const std::vector<RunningProcess>& processes);

// When the process started (FILETIME ticks); nothing when it cannot be asked.
std::optional<std::uint64_t> ProcessStartTime(std::uint32_t id);

// The program a launch started, from its handle: its start and, once it has ended, its end.
StartedProgram StartedProgramOf(HANDLE process, std::uint32_t id);

// Whether a process of the snapshot descends from the program.
bool DescendsFrom(std::uint32_t id, const StartedProgram& program,
                  const std::vector<RunningProcess>& processes);
// The first process of the snapshot named like Fluent's that does; nothing when none does.
std::optional<std::uint32_t> FirstFluentDescendant(const StartedProgram& program,
                                                   const std::vector<RunningProcess>& processes);

// The processes with their start times, in the same order.
std::vector<ProcessIdentity> IdentitiesOf(const std::vector<std::uint32_t>& ids);

} // namespace qv
