// The Fluent releases at which the launch changes, as the version numbers it compares (21.2 for
// 2021 R2). Each sits between the release it names and the supported version before it, most just
// below the release, so that a number read from a version text never lands on the wrong side.
#pragma once

#include "launch/record/launch_options.h"

namespace qv {

inline constexpr double Fluent12 = 11.999;
inline constexpr double Fluent13 = 12.999;
inline constexpr double Fluent17 = 16.999;
inline constexpr double Fluent18_2 = 18.19;
inline constexpr double Fluent19_2 = 19.199;
inline constexpr double Fluent2021R1 = 21.09;
inline constexpr double Fluent2021R2 = 21.19;
inline constexpr double Fluent2022R1 = 22.1;
inline constexpr double Fluent2022R2 = 22.19;
inline constexpr double Fluent2024R2 = 24.199;

inline bool IsFluent12(double version) {
    return Fluent12 <= version && version < Fluent13;
}

// Parallel Fluent 12.0 and 12.1 take no loader option: the add-on is loaded through the console.
inline bool LoadsThroughConsole(double version, const LaunchOptions& options) {
    return options.processingMode == ProcessingMode::Parallel && IsFluent12(version);
}

} // namespace qv
