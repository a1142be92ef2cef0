// A press of OK as the launch log gives it: every choice in the main dialog's own English terms,
// so that support reads what the user saw ("1-Core Parallel" where the dialog said so).
#pragma once

#include "launch/record/launch_options.h"

#include <string>

namespace qv {

struct LaunchPress {
    LaunchOptions options; // as just read from the controls
    bool chineseFluent = false;
    std::wstring fluentEntry;  // the Fluent list's selected text, "2025 R2"
    std::wstring fluentFolder; // "" when no Fluent folder is chosen
    std::wstring visualStudio; // the lists' selected texts
    std::wstring matlab;
};

// "OK: 3D, Double Precision on, 1-Core Parallel, Chinese Fluent off, Start by WorkBench off;
// Call CoolProp off, Call Intel Fortran off, Call Matlab on (Static link); Fluent version to run:
// 2025 R2 (C:\...\fluent); VC version to run: 2019; Matlab version to run: R2020a". Only what
// the launch uses: no dimension, precision or processes for a Workbench start, no link or MATLAB
// version with MATLAB off.
std::wstring LaunchPressLogText(const LaunchPress& press);

} // namespace qv
