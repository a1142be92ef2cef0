#include "discovery/path_text.h"

#include "base/text.h"

namespace qv {

std::wstring StripPathLevels(std::wstring_view path, int levels) {
    std::wstring result = ReplaceAll(TrimTrailingSeparators(path), L"/", L"\\");
    for (int i = 0; i < levels; ++i) {
        const std::size_t slash = result.rfind(L'\\');
        if (slash == std::wstring::npos) break;
        result.erase(slash);
    }
    return result;
}

namespace {

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A folder name the platform takes as written: no trailing dot or blank, which it would drop
// from a last part, no stream or drive colon and no wildcard.
bool IsPlainName(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ') return false;
    // One pass over the name: discovery asks this of every part of about 1,400 paths.
    for (const wchar_t c : name) {
        switch (c) {
        case L':':
        case L'*':
        case L'?':
        case L'<':
        case L'>':
        case L'"':
        case L'|':
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace

std::vector<std::size_t> EnclosingFolderLengths(std::wstring_view folder) {
    std::vector<std::size_t> lengths;
    EnclosingFolderLengths(folder, lengths);
    return lengths;
}

void EnclosingFolderLengths(std::wstring_view folder, std::vector<std::size_t>& lengths) {
    lengths.clear();
    if (folder.size() < 3 || !IsDriveLetter(folder[0]) || folder[1] != L':' || folder[2] != L'\\')
        return;
    std::size_t start = 3;
    for (;;) {
        const std::size_t end = folder.find(L'\\', start);
        if (!IsPlainName(folder.substr(start, end - start))) {
            lengths.clear();
            return;
        }
        if (end == std::wstring_view::npos) return;
        lengths.push_back(end);
        start = end + 1;
    }
}

bool LiesInEnclosingFolder(std::wstring_view folder, std::wstring_view enclosing) {
    const std::size_t length = enclosing.size();
    if (folder.size() <= length + 1 || folder[length] != L'\\' || !StartsWith(folder, enclosing))
        return false;
    for (std::size_t start = length + 1;;) {
        const std::size_t end = folder.find(L'\\', start);
        if (!IsPlainName(folder.substr(start, end - start))) return false;
        if (end == std::wstring_view::npos) return true;
        start = end + 1;
    }
}

std::vector<std::wstring> EnclosingFolders(std::wstring_view folder) {
    std::vector<std::wstring> enclosing;
    for (const std::size_t length : EnclosingFolderLengths(folder))
        enclosing.emplace_back(folder.substr(0, length));
    return enclosing;
}

std::optional<PathParts> SplitPath(std::wstring_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == L':') {
        parts.drive = std::wstring(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) {
        parts.folder = std::wstring(path.substr(0, slash + 1));
        path.remove_prefix(slash + 1);
    }
    const std::size_t dot = path.rfind(L'.');
    parts.name = std::wstring(path.substr(0, dot));
    if (dot != std::wstring_view::npos) parts.extension = std::wstring(path.substr(dot));
    // Each buffer also holds the terminator.
    if (parts.drive.size() >= 10 || parts.folder.size() >= 1000 || parts.name.size() >= 200 ||
        parts.extension.size() >= 20)
        return std::nullopt;
    return parts;
}

} // namespace qv
