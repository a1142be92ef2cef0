// Library files changed for MATLAB coupling: the search for a name inside a library, its
// replacement, and the two pairs of files handled at launch.
#pragma once

#include "launch/couplings/byte_replace.h"
#include "launch/couplings/library_patch.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace qv {

enum class FileBytesSearch {
    Found,
    NotFound,   // also for an empty file
    Unreadable, // missing, a folder, held by another program, or a read that failed
};
FileBytesSearch SearchFileForBytes(std::wstring_view path, const Bytes& bytes);
inline bool FileContainsBytes(std::wstring_view path, const Bytes& bytes) {
    return SearchFileForBytes(path, bytes) == FileBytesSearch::Found;
}

// Replaces every occurrence of from by to. The new content is written to a temporary file
// beside the original, flushed, and then takes the original's place in one rename, with the
// original's attributes (read-only included). Any failure leaves the original as it was and no
// temporary file behind, and gives false. A file without an occurrence is left untouched. A file
// another program holds for a moment is waited for first (held_file_win.h).
[[nodiscard]] bool ReplaceBytesInFile(std::wstring_view path, const Bytes& from, const Bytes& to);

// Handles each pair in order: copies the library under its second name and rewrites the
// library that loads it, as far as either is still needed, waiting for files that another
// program holds for a moment. False after its message has been shown: the launcher closes; what
// an earlier pair changed stays.
[[nodiscard]] bool PatchLibraryNames(const std::vector<LibraryPatchPair>& pairs, HWND owner);

} // namespace qv
