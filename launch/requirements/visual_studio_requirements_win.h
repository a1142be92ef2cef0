// The Visual Studio checks of a launch, once the Fluent executable and its bitness are known.
#pragma once

#include "discovery/visual_studio.h"
#include "launch/record/launch_step.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct [[nodiscard]] VisualStudioForLaunch {
    LaunchStep step = LaunchStep::Closes;
    std::wstring year;        // "2010" ... "2019"
    std::wstring number;      // the version number, "10" ... "16"
    std::wstring toolsFolder; // as VS<number>0COMNTOOLS gives it, "" when unset
};

// The chosen Visual Studio (the list's selected text) must be supported and have C# (2010), the
// compiler of Fluent's bitness and MFC, and from 2012 on the add-on's extension. Every failure
// is shown and Closes. For 2019 its settings tool is started hidden and not waited for.
VisualStudioForLaunch
CheckVisualStudioForLaunch(const std::vector<VisualStudioInstallation>& installations,
                           std::wstring_view selectedText, bool fluent64, HWND owner);

} // namespace qv
