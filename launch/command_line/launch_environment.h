// The variables through which Fluent and the add-on's Fluent module learn how the run was set
// up. The launcher sets them in its own environment; the started process inherits them.
#pragma once

#include "launch/record/launch_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct EnvironmentChange {
    std::wstring name;
    std::optional<std::wstring> value; // nothing: remove the variable
    std::wstring_view why;             // of a removal, for the log
};

// The log's line of a change made: "set NAME=value", or for a removal what was removed from
// where, and why.
std::wstring EnvironmentChangeLogText(const EnvironmentChange& change);

struct LaunchEnvironmentInputs {
    std::wstring fluentFolder;        // the chosen Fluent folder
    std::wstring releaseName;         // e.g. fluent21.2.0
    std::wstring visualStudioVersion; // "10" ... "16"
    double version = 0;               // e.g. 21.2
    LaunchOptions options;
    bool chineseFluent = false;       // the "Chinese Fluent" check box at this moment
    std::uint32_t launcherWindow = 0; // the main dialog's handle value
};

// The handle value as the module reads it back: signed decimal, so 2^31 and above turn negative.
std::wstring WindowHandleText(std::uint32_t handleValue);

// The old PATH without trailing ";" and "/", then without trailing ";" and "\".
std::wstring TrimPathForPrepending(std::wstring_view path);

struct ReleaseParts {
    std::wstring major, minor, revision;
};
// "21.2.0" gives 21, 2 and 0; everything after the second "." is the revision.
ReleaseParts SplitFullVersion(std::wstring_view fullVersion);

// Every change in the order it is made: lang, the seven shared variables, then for serial runs
// of 21.1 and later PATH with Fluent's two folders in front, and from 21.2 on RELEASE_*.
// currentPath is PATH as it is now, nothing when it does not exist.
std::vector<EnvironmentChange>
ComputeLaunchEnvironment(const LaunchEnvironmentInputs& inputs,
                         const std::optional<std::wstring>& currentPath);

} // namespace qv
