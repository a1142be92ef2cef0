// What the main dialog remembers of the last launch for its whole life.
#pragma once

#include <cstdint>

namespace qv {

struct LaunchState {
    // The process recorded by the last successful start: Workbench's start program, or the new
    // Fluent found after a direct start; 0 before the first.
    std::uint32_t startedProcessId = 0;
    // Set once a launch took the Workbench path; the user's .fluent is put back when the
    // launcher closes after Workbench has gone.
    bool workbenchLaunched = false;
};

} // namespace qv
