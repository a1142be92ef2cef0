#include "tests/support/file_tree_win.h"

#include "base/handles_win.h"

#include <windows.h>

namespace qv::test {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::wstring WindowsPathFromUnix(std::string_view unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring FolderOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? std::wstring_view()
                                                         : path.substr(0, slash));
}

std::wstring CurrentFolder() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(::GetCurrentDirectoryW(size, folder.data()));
    return folder;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::wstring& path) {
    // Each prefix that ends before a separator, past the drive's own "X:\".
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (IsSeparator(path[i])) ::CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
    ::CreateDirectoryW(path.c_str(), nullptr);
    return IsFolder(path);
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const std::wstring folder = FolderOf(path);
    if (!folder.empty() && !MakeFolders(folder)) return false;
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

bool RemoveTree(const std::wstring& path) {
    if (path.empty() || !Exists(path)) return true;
    if (!IsFolder(path)) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return ::DeleteFileW(path.c_str()) || !Exists(path);
    }
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    bool removed = true;
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") removed = RemoveTree(path + L"\\" + name) && removed;
        } while (::FindNextFileW(find.get(), &entry));
    }
    find.reset();
    // A drive's root (D:\) stays: only what it holds goes.
    return (::RemoveDirectoryW(path.c_str()) || !Exists(path) || path.size() <= 3) && removed;
}

} // namespace qv::test

namespace qv::test {

ScopedCurrentFolder::~ScopedCurrentFolder() {
    ::SetCurrentDirectoryW(saved_.c_str());
}

} // namespace qv::test
