// The MATLAB coupling at launch: the component the link mode needs, the library names of both
// sides, the automation-server registration, and MATLAB's folders on PATH.
#pragma once

#include "discovery/matlab.h"
#include "launch/record/launch_options.h"
#include "launch/record/launch_step.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

struct MatlabCheckInputs {
    const std::vector<MatlabInstallation>* installations = nullptr;
    int selectedIndex = -1;                   // the MATLAB list box's selection
    std::wstring selectedRelease;             // the list box's text at that selection
    MatlabLink linkMode = MatlabLink::Static; // anything else links dynamically
    std::wstring visualStudioYear;            // "2010" ... "2019"
    std::size_t visualStudioCount = 0;
    std::wstring fluentFolder; // the chosen Fluent folder
    std::wstring releaseName;  // its single release folder, e.g. fluent19.3.0
    bool fluent64 = false;
};

// Continue when the launch may go on, with PATH and __SharedMatlabPathUsed__ set for Fluent.
// StaysOpen when the user declined the Visual Studio 2019 question; Closes after an error
// message.
LaunchStep CheckMatlabRequirements(const MatlabCheckInputs& inputs, HWND owner);

} // namespace qv
