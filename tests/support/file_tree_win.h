// Folders and files as tests, stand-ins and benchmarks lay them out. Every helper that changes
// something says by its result whether it did.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv::test {

// The Windows form of a Unix path: Wine shows / as Z:.
std::wstring WindowsPathFromUnix(std::string_view unixPath);
// The path up to its last separator ("" when it has none).
std::wstring FolderOf(std::wstring_view path);
std::wstring CurrentFolder();

bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);
// Makes each missing folder of the path; true when the path is a folder afterwards.
[[nodiscard]] bool MakeFolders(const std::wstring& path);
// Writes the whole file, making its folders first.
[[nodiscard]] bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The whole file, also while another program has it open; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Removes a file, or a folder with everything in it; true when nothing is left at the path.
[[nodiscard]] bool RemoveTree(const std::wstring& path);

} // namespace qv::test

namespace qv::test {

// The current folder of this process, put back at the end of the scope.
class ScopedCurrentFolder {
  public:
    ScopedCurrentFolder() : saved_(CurrentFolder()) {}
    ~ScopedCurrentFolder();
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

  private:
    std::wstring saved_;
};

} // namespace qv::test
