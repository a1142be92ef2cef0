#include "discovery/missing_folders_win.h"

#include "base/terminated_text.h"
#include "discovery/path_text.h"

#include <windows.h>

namespace qv {

namespace {

bool IsDriveAbsolute(std::wstring_view path) {
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
}

} // namespace

bool MissingFolders::Enclose(std::wstring_view path) {
    // Only a drive-absolute path has folders to look at.
    if (!IsDriveAbsolute(path)) return false;
    // Nothing lies on a drive that is missing, whatever the path's parts say: most candidates
    // are told apart by their first three characters.
    if (IsMissingDrive(path[0])) return true;
    // Most other paths lie in a folder already found missing: told by their text alone, the
    // drive letter first.
    for (const std::wstring* missing : foundMissing_)
        if (missing->front() == path.front() && LiesInEnclosingFolder(path, *missing)) return true;
    EnclosingFolderLengths(path, lengths_);
    for (const std::size_t length : lengths_)
        if (IsMissing(path.substr(0, length))) return true;
    return false;
}

bool MissingFolders::LiesOnMissingDrive(std::wstring_view path) {
    return IsDriveAbsolute(path) && IsMissingDrive(path[0]);
}

bool MissingFolders::IsMissingDrive(wchar_t letter) {
    const wchar_t upper = letter >= L'a' && letter <= L'z' ? letter - L'a' + L'A' : letter;
    if (upper < L'A' || upper > L'Z') return false;
    DriveState& state = drives_[static_cast<std::size_t>(upper - L'A')];
    if (state == DriveState::Unknown) {
        const wchar_t root[] = {upper, L':', L'\\', L'\0'};
        state = LookFindsMissing(root) ? DriveState::Missing : DriveState::Present;
    }
    return state == DriveState::Missing;
}

bool MissingFolders::IsMissing(std::wstring_view folder) {
    const auto known = missing_.find(folder);
    if (known != missing_.end()) return known->second;
    const bool missing = LookFindsMissing(folder);
    const auto added = missing_.emplace(std::wstring(folder), missing).first;
    if (missing) foundMissing_.push_back(&added->first);
    return missing;
}

// Only "not found" rules a folder out; a folder that cannot be read, or a file of that name,
// is left to the search below it to judge.
bool MissingFolders::LookFindsMissing(std::wstring_view folder) {
    ++looks_;
    const bool found =
        ::GetFileAttributesW(TerminatedText(folder).c_str()) != INVALID_FILE_ATTRIBUTES;
    const DWORD error = found ? ERROR_SUCCESS : ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace qv
