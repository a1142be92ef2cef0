// File-system questions asked the same way everywhere: through a directory search, so that a
// folder is never taken for a file and wildcard-free paths behave as the user typed them.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// True when the first entry a directory search finds for the path exists and is not a folder.
bool FileExists(std::wstring_view path);

// The stored name (last component, in the file system's case) of the folder the path names, a
// bare drive such as "D:" itself when the drive exists, or "" when the path names no folder.
std::wstring ExistingFolderName(std::wstring_view path);

// For the launch log, what is at a path: "a file", "a folder", "a read-only file", or "missing"
// with the system's error (which tells a missing file from a missing folder above it).
std::wstring DescribePath(std::wstring_view path);

} // namespace qv
