// Sets the launch environment in the launcher's own process, which the started Fluent or
// Workbench inherits.
#pragma once

#include "launch/command_line/launch_environment.h"

#include <windows.h>

#include <cstdint>

namespace qv {

// Window handles are 32-bit values on every Windows, also when they are passed to 64-bit
// processes.
inline std::uint32_t WindowHandleValue(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

// Sets or removes one variable. One that cannot be set keeps its old value and the failure goes
// to the launch log: the launch goes on.
void ApplyEnvironmentChange(const EnvironmentChange& change);

// Reads PATH, then applies each change in order.
void PrepareLaunchEnvironment(const LaunchEnvironmentInputs& inputs);

} // namespace qv
