// The Intel Fortran coupling: a compiler that fits the chosen Visual Studio and Fluent's
// bitness, integrated into that Visual Studio.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

struct FortranCheckInputs {
    std::wstring visualStudioYear; // "2010" ... "2019"
    bool fluent64 = false;
    std::wstring toolsFolder; // the chosen Visual Studio's tools folder, as its check read it
};

// Looks at the compilers registered now (32-bit registry view), the compatibility rule, then the
// integration files (beside the tools folder for 2010 to 2015, where INTEL_DEV_REDIST points or
// on every drive for 2017 and 2019). True when the launch may go on. False after the message
// has been shown: the launcher closes.
[[nodiscard]] bool CheckIntelFortranRequirements(const FortranCheckInputs& inputs, HWND owner);

} // namespace qv
