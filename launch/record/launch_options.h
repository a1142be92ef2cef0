// The user's choices for one launch, as the main dialog's controls hold them.
#pragma once

#include <cstdint>

namespace qv {

inline constexpr std::uint32_t MinProcessCount = 1;
inline constexpr std::uint32_t MaxProcessCount = 999;

struct LaunchOptions {
    int dimension = 0; // 0 = 2D, 1 = 3D
    int doublePrecision = 0;
    int processingMode = 0; // 0 = serial or one-core parallel, 1 = parallel
    std::uint32_t processCount = 1;
    int callCoolProp = 0;
    int callIntelFortran = 0;
    int callMatlab = 0;
    int startByWorkbench = 0;
    int linkMode = 0; // 0 = static, 1 = dynamic
};

inline bool IsProcessCountInRange(std::uint32_t count) {
    return count >= MinProcessCount && count <= MaxProcessCount;
}

} // namespace qv
