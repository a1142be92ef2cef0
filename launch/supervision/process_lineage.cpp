#include "launch/supervision/process_lineage.h"

#include <algorithm>

namespace qv {

namespace {

// Far deeper than any start program's chain of helpers; a loop of reused ids ends here too.
constexpr std::size_t LongestChain = 64;

const ProcessLink* LinkOf(std::uint32_t id, const std::vector<ProcessLink>& processes) {
    const auto found = std::find_if(processes.begin(), processes.end(),
                                    [id](const ProcessLink& link) { return link.id == id; });
    return found == processes.end() ? nullptr : &*found;
}

bool StartedWhileProgramRan(std::uint64_t childStart, const StartedProgram& program) {
    return program.startedAt <= childStart && (!program.endedAt || childStart <= *program.endedAt);
}

} // namespace

bool DescendsFrom(std::uint32_t id, const StartedProgram& program,
                  const std::vector<ProcessLink>& processes, const StartTimeOf& startTimeOf) {
    if (id == program.id) return false;
    // The chain by ids first, from the process to the program's child: only a chain that reaches
    // the program is worth asking the system about.
    std::vector<std::uint32_t> chain{id};
    for (;;) {
        const ProcessLink* link = LinkOf(chain.back(), processes);
        if (!link || link->parentId == 0 || chain.size() >= LongestChain ||
            std::find(chain.begin(), chain.end(), link->parentId) != chain.end())
            return false;
        if (link->parentId == program.id) break;
        chain.push_back(link->parentId);
    }
    // Then the start times: each parent started no later than its child (a newer process only
    // has an ended parent's id), and the program's child while the program ran.
    std::optional<std::uint64_t> childStart = startTimeOf(chain.front());
    for (std::size_t i = 1; i < chain.size() && childStart; ++i) {
        const std::optional<std::uint64_t> parentStart = startTimeOf(chain[i]);
        if (!parentStart || *parentStart > *childStart) return false;
        childStart = parentStart;
    }
    return childStart && StartedWhileProgramRan(*childStart, program);
}

} // namespace qv
