// Path texts as discovery reads them from the registry and the environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Removes trailing separators, turns "/" into "\", then cuts the last component n times (a path
// without "\" stays as it is). StripPathLevels(L"C:\\a\\b\\c", 2) gives L"C:\\a".
std::wstring StripPathLevels(std::wstring_view path, int levels);

// A path split into drive, folder, file name and extension (with its "."), as the C runtime's
// _wsplitpath_s splits it into buffers of 10, 1000, 200 and 20 characters: nothing when a part
// does not fit.
struct PathParts {
    std::wstring drive, folder, name, extension;
};
std::optional<PathParts> SplitPath(std::wstring_view path);

} // namespace qv
