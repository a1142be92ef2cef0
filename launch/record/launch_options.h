// The user's choices for one launch, as the main dialog's controls hold them.
#pragma once

#include <cstdint>

namespace qv {

inline constexpr std::uint32_t MinProcessCount = 1;
inline constexpr std::uint32_t MaxProcessCount = 999;

// The radio groups' choices, valued as the index of the checked radio in its group, as they are
// exchanged and passed on; a group with no radio checked reads as -1, which is neither.
enum class Dimension { TwoD = 0, ThreeD = 1 };
enum class ProcessingMode { Serial = 0, Parallel = 1 }; // Serial: also one-core parallel
enum class MatlabLink { Static = 0, Dynamic = 1 };

struct LaunchOptions {
    Dimension dimension = Dimension::TwoD;
    int doublePrecision = 0;
    ProcessingMode processingMode = ProcessingMode::Serial;
    std::uint32_t processCount = 1;
    int callCoolProp = 0;
    int callIntelFortran = 0;
    int callMatlab = 0;
    int startByWorkbench = 0;
    MatlabLink linkMode = MatlabLink::Static;
};

inline bool IsProcessCountInRange(std::uint32_t count) {
    return count >= MinProcessCount && count <= MaxProcessCount;
}

} // namespace qv
