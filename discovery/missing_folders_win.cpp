#include "discovery/missing_folders_win.h"

#include "discovery/path_text.h"

#include <windows.h>

namespace qv {

bool MissingFolders::Enclose(std::wstring_view path) {
    EnclosingFolderLengths(path, lengths_);
    for (const std::size_t length : lengths_)
        if (IsMissing(path.substr(0, length))) return true;
    return false;
}

// Only "not found" rules a folder out; a folder that cannot be read, or a file of that name,
// is left to the search below it to judge.
bool MissingFolders::IsMissing(std::wstring_view folder) {
    const auto known = missing_.find(folder);
    if (known != missing_.end()) return known->second;
    ++looks_;
    const bool found =
        ::GetFileAttributesW(std::wstring(folder).c_str()) != INVALID_FILE_ATTRIBUTES;
    const DWORD error = found ? ERROR_SUCCESS : ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    missing_.emplace(std::wstring(folder), missing);
    return missing;
}

} // namespace qv
