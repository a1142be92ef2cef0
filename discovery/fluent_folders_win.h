// Fluent release folders and executables as they are on disk at the moment of the call.
#pragma once

#include "discovery/fluent_versions.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Names of the sub-folders "fluent*.*.*" (any case) that have a src folder holding udf.h or
// udf\udf.h, in the order the directory listing gives them.
std::vector<std::wstring> ListReleaseFolders(std::wstring_view folder);

// Full paths of ntbin\ntx86\fluent.exe and ntbin\win64\fluent.exe, those that exist, in that
// order.
std::vector<std::wstring> ListFluentExecutables(std::wstring_view folder);

FluentFolderResolution ResolveFluentFolder(std::wstring_view folder);

// What support needs to know of a Fluent folder that did not resolve: what is at its path, and
// what a listing of it finds now (the release folders and the Fluent programs).
std::wstring DescribeFluentFolder(std::wstring_view folder);

} // namespace qv
