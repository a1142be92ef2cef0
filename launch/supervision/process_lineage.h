// Whether a process descends from the program a launch started, told from a process snapshot's
// parent ids and the processes' start times: the system gives the id of an ended process to a
// newer one, and such a newer process is never taken for a parent.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qv {

struct ProcessLink {
    std::uint32_t id = 0;
    std::uint32_t parentId = 0;
};

// The program a launch started: its id, when it started and, once it has ended, when it ended,
// in the clock the start times below are given in.
struct StartedProgram {
    std::uint32_t id = 0;
    std::uint64_t startedAt = 0;
    std::optional<std::uint64_t> endedAt;
};

// When a running process started; nothing when that cannot be told.
using StartTimeOf = std::function<std::optional<std::uint64_t>(std::uint32_t id)>;

// True when the chain of parents from the process reaches the program through processes of the
// snapshot, each started no later than its child, and the program's own child started while the
// program ran. A chain through a parent that has ended (no longer in the snapshot) is not
// followed.
bool DescendsFrom(std::uint32_t id, const StartedProgram& program,
                  const std::vector<ProcessLink>& processes, const StartTimeOf& startTimeOf);

} // namespace qv
