#include "base/files_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"
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

std::wstring DescribePath(std::wstring_view path) {
    if (path.empty()) return L"no path";
    const DWORD attributes = ::GetFileAttributesW(TerminatedText(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return L"missing (error " + std::to_wstring(error) + L": " + SystemErrorText(error) + L")";
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return L"a folder";
    return attributes & FILE_ATTRIBUTE_READONLY ? L"a read-only file" : L"a file";
}

} // namespace qv
