#include "launch/matlab_requirements_win.h"

namespace qv {

// PENDING: the MATLAB checks come with the coupling work; until then the step passes.
LaunchStep CheckMatlabRequirements(const MatlabCheckInputs&, HWND) {
    return LaunchStep::Continue;
}

} // namespace qv
