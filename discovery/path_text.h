// Path texts as discovery reads them from the registry and the environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Removes trailing separators, turns "/" into "\", then cuts the last component n times (a path
// without "\" stays as it is). StripPathLevels(L"C:\\a\\b\\c", 2) gives L"C:\\a".
std::wstring StripPathLevels(std::wstring_view path, int levels);

// The folders that hold a drive-absolute folder, outermost first, from the drive's first folder
// to the folder's parent: "C:\a\b\c" gives "C:\a" and "C:\a\b". Nothing for a path whose parts
// the file system may read otherwise than their text says: not of the form "X:\...", or with a
// part that is empty, is "." or "..", ends in a dot or a blank, or holds a colon or a wildcard.
std::vector<std::wstring> EnclosingFolders(std::wstring_view folder);
// The same folders as lengths of the folder's text, for a caller that looks them up in turn; the
// second form fills a list the caller keeps, so that a run of many paths allocates nothing.
std::vector<std::size_t> EnclosingFolderLengths(std::wstring_view folder);
void EnclosingFolderLengths(std::wstring_view folder, std::vector<std::size_t>& lengths);
// Whether `enclosing`, itself one of the enclosing folders of some path, is one of this folder's:
// the folder's text goes on from it with "\" and parts read as written. Cheaper than listing
// the folder's enclosing folders to find it among them.
bool LiesInEnclosingFolder(std::wstring_view folder, std::wstring_view enclosing);

// A path split into drive, folder, file name and extension (with its "."), as the C runtime's
// _wsplitpath_s splits it into buffers of 10, 1000, 200 and 20 characters: nothing when a part
// does not fit.
struct PathParts {
    std::wstring drive, folder, name, extension;
};
std::optional<PathParts> SplitPath(std::wstring_view path);

} // namespace qv
