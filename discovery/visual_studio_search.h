// What Visual Studio discovery asked about one version and what each source answered, and the
// log's line of it: support reads where a version was looked for, what was there, and what of a
// found one is missing, without asking the user.
#pragma once

#include "discovery/visual_studio.h"

#include <string>
#include <vector>

namespace qv {

enum class VisualStudioSource {
    SideBySide,         // HKLM\Software\Microsoft\VisualStudio\SxS\VS7, value "<n>.0"
    InstallDir,         // HKLM\Software\Microsoft\VisualStudio\<n>.0, value InstallDir
    ToolsVariable,      // the system variable VS<n>0COMNTOOLS
    InstallDirVariable, // the system variable VS2017INSTALLDIR or VS2019INSTALLDIR
    UninstallEntry,     // the Uninstall entries whose icon is devenv.exe
    DriveScan,          // the default install folders on drives C: to Z:
};

struct VisualStudioSourceAnswer {
    VisualStudioSource source = VisualStudioSource::SideBySide;
    std::wstring named;  // the folder it named as read, or the root a drive scan found; "" none
    std::wstring devenv; // where that puts devenv.exe; "" when it named nothing
    bool devenvFound = false;
    std::wstring entry; // UninstallEntry: the name of the matching entry, "" when none matched
};

struct VisualStudioSearch {
    VisualStudioVersion version;
    std::vector<VisualStudioSourceAnswer> answers; // in the order asked; the last found it, if any
};

// One line: the version, whether it was found, each source asked with its answer, and for an
// installation found (nullptr when none was listed) which components are missing and where they
// were looked for. windows64 as discovery saw it: it decides the drive scan's program folders and
// the MFC library's folder.
std::wstring VisualStudioSearchLogText(const VisualStudioSearch& search,
                                       const VisualStudioInstallation* installation,
                                       bool windows64);

} // namespace qv
