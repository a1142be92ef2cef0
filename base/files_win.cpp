#include "base/files_win.h"

#include "base/handles_win.h"
#include "base/terminated_text.h"
#include "base/text.h"

namespace qv {

namespace {

bool FindFirstEntry(std::wstring_view path, WIN32_FIND_DATAW& entry) {
    UniqueFind find(::FindFirstFileW(TerminatedText(path).c_str(), &entry));
    return static_cast<bool>(find);
}

} // namespace

bool FileExists(std::wstring_view path) {
    WIN32_FIND_DATAW entry{};
    if (path.empty() || !FindFirstEntry(path, entry)) return false;
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ExistingFolderName(std::wstring_view path) {
    const std::wstring trimmed = TrimTrailingSeparators(path);
    if (trimmed.empty()) return L"";
    const bool bareDrive =
        Contains(trimmed, L":") && !Contains(trimmed, L"\\") && !Contains(trimmed, L"/");
    if (bareDrive) {
        // GetDriveTypeW wants the root form "D:\".
        return ::GetDriveTypeW((trimmed + L"\\").c_str()) != DRIVE_NO_ROOT_DIR ? trimmed : L"";
    }
    WIN32_FIND_DATAW entry{};
    if (!FindFirstEntry(trimmed, entry) || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return L"";
    return entry.cFileName;
}

} // namespace qv
