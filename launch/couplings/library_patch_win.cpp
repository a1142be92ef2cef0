#include "launch/couplings/library_patch_win.h"

#include "base/files_win.h"
#include "base/handles_win.h"
#include "base/held_file_win.h"
#include "base/launch_log_win.h"
#include "base/system_win.h"
#include "base/user_prompts_win.h"
#include "texts/library_patch_texts.h"

#include <algorithm>
#include <optional>
#include <string>

namespace qv {

namespace {

// Large enough to stream at disk speed, small enough that memory stays flat for any file size.
constexpr DWORD ChunkSize = 1 << 20;

constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Logs the failed call's error with what was tried and on which file; false, for the caller.
bool Failed(std::wstring_view action, std::wstring_view path) {
    LogFailure(action, path, ::GetLastError());
    return false;
}

// A temporary file beside a target, removed unless it has been moved into the target's place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::wstring& target) {
        const std::size_t slash = target.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
        wchar_t name[MAX_PATH] = {};
        if (::GetTempFileNameW(folder.c_str(), L"qv", 0, name) != 0)
            path_ = name;
        else
            Failed(L"make a temporary file in", folder);
    }
    ~TemporaryFile() {
        if (path_.empty()) return;
        // A copy of a read-only library is read-only too, and Windows deletes no such file.
        ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const { return path_; }
    // Takes the target's place; the target must not be open.
    bool MoveOnto(const std::wstring& target, HeldFileWait& wait) {
        if (!wait.Attempt(target, FileWork::DeleteOrReplace, [&] {
                return ::MoveFileExW(path_.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
            }))
            return Failed(L"rename " + path_ + L" onto", target);
        path_.clear();
        return true;
    }

  private:
    std::wstring path_; // "" when there is none (any more)
};

// Opens with the access and sharing given, waiting for a passing hold.
UniqueFile OpenFile(const std::wstring& path, DWORD access, DWORD sharing, HeldFileWait& wait) {
    UniqueFile file;
    wait.Attempt(path, FileWork::ReadOrWrite, [&] {
        file.reset(::CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        return static_cast<bool>(file);
    });
    return file;
}

bool ReadChunk(HANDLE file, Bytes& buffer) {
    buffer.resize(ChunkSize);
    DWORD read = 0;
    if (!::ReadFile(file, buffer.data(), ChunkSize, &read, nullptr)) return false;
    buffer.resize(read);
    return true;
}

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, data, static_cast<DWORD>(std::min<std::size_t>(size, ChunkSize)),
                         &written, nullptr) ||
            written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Streams the original through the replacer into the temporary file and flushes it. Gives the
// number of replacements, or nothing on any failure, logged with the file it concerns: a read
// names the library, a write its temporary copy.
std::optional<std::size_t> WriteReplaced(HANDLE original, const std::wstring& path,
                                         const std::wstring& temporary, const Bytes& from,
                                         const Bytes& to) {
    UniqueFile out(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!out) {
        Failed(L"open the temporary copy to write the rewritten library", temporary);
        return std::nullopt;
    }
    ByteStringReplacer replacer(from, to, [&out](const std::uint8_t* data, std::size_t size) {
        return WriteAll(out.get(), data, size);
    });
    Bytes chunk;
    do {
        if (!ReadChunk(original, chunk)) {
            Failed(L"read the library to rewrite it", path);
            return std::nullopt;
        }
        if (!(chunk.empty() ? replacer.Finish() : replacer.Feed(chunk.data(), chunk.size()))) {
            Failed(L"write the rewritten library", temporary);
            return std::nullopt;
        }
    } while (!chunk.empty());
    if (!::FlushFileBuffers(out.get())) {
        Failed(L"flush the rewritten library", temporary);
        return std::nullopt;
    }
    return replacer.Replacements();
}

bool RewriteThroughTemporaryFile(const std::wstring& path, const Bytes& from, const Bytes& to,
                                 HeldFileWait& wait) {
    // Not shared: while it is read nobody else may change, rename or delete it, and a program
    // that has it open (a loaded library among them) makes this fail before anything is written.
    UniqueFile original = OpenFile(path, GENERIC_READ | GENERIC_WRITE, 0, wait);
    if (!original) return Failed(L"open the library to rewrite it", path);
    TemporaryFile temporary(path);
    if (temporary.Path().empty()) return false;
    const std::optional<std::size_t> replacements =
        WriteReplaced(original.get(), path, temporary.Path(), from, to);
    if (!replacements) return false;
    if (*replacements == 0) return true;
    original.reset();
    return temporary.MoveOnto(path, wait);
}

bool SetAttributes(const std::wstring& path, DWORD attributes) {
    const DWORD kept = attributes & KeptAttributes;
    return ::SetFileAttributesW(path.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

// A copy under a temporary name renamed into place, so that a copy cut short never passes for
// a complete one at a later launch.
bool CopyIntoPlace(const std::wstring& source, const std::wstring& target, HeldFileWait& wait) {
    TemporaryFile temporary(target);
    if (temporary.Path().empty()) return false;
    if (!wait.Attempt(source, FileWork::ReadOrWrite, [&] {
            return ::CopyFileW(source.c_str(), temporary.Path().c_str(), FALSE) != FALSE;
        }))
        return Failed(L"copy " + source + L" to", temporary.Path());
    return temporary.MoveOnto(target, wait);
}

FileBytesSearch SearchFile(const std::wstring& path, const Bytes& bytes, HeldFileWait& wait) {
    UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, wait);
    if (!file) {
        Failed(L"open the library to read it", path);
        return FileBytesSearch::Unreadable;
    }
    ByteStringFinder finder(bytes);
    Bytes chunk;
    do {
        if (!ReadChunk(file.get(), chunk)) {
            Failed(L"read the library", path);
            return FileBytesSearch::Unreadable;
        }
        if (finder.Feed(chunk.data(), chunk.size())) return FileBytesSearch::Found;
    } while (!chunk.empty());
    return FileBytesSearch::NotFound;
}

bool ReplaceBytes(const std::wstring& path, const Bytes& from, const Bytes& to,
                  HeldFileWait& wait) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Failed(L"read the attributes of", path);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    // Windows refuses to write or replace a read-only file; the attribute comes back below.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        !SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY))
        return Failed(L"make writable", path);
    const bool rewritten = RewriteThroughTemporaryFile(path, from, to, wait);
    // The new file carries the temporary file's attributes, a failure may have left the
    // original's cleared: either way the original's come back.
    if (!SetAttributes(path, attributes)) return Failed(L"restore the attributes of", path);
    return rewritten;
}

bool ShowError(HWND owner, const Message& message) {
    ShowMessage(owner, message, captions::Error, MB_OK | MB_ICONERROR);
    return false;
}

const Message& OccupiedText(PatchSide side) {
    return side == PatchSide::Matlab ? MatlabLibraryOccupiedText : FluentLibraryOccupiedText;
}

bool PatchPair(const LibraryPatchPair& pair, HWND owner, HeldFileWait& wait) {
    if (!FileExists(pair.fluentLibrary) || !FileExists(pair.matlabLibrary)) return true;
    const bool copyNeeded = !FileExists(pair.copyTarget);
    bool rewriteNeeded = false;
    if (FileExists(pair.rewritten)) {
        const FileBytesSearch search = SearchFile(pair.rewritten, pair.from, wait);
        // A library that cannot be read may still load the old name: going on would hide that.
        // The search logged why it could not read it.
        if (search == FileBytesSearch::Unreadable) return ShowError(owner, OccupiedText(pair.side));
        rewriteNeeded = search == FileBytesSearch::Found;
    }
    if (!copyNeeded && !rewriteNeeded) return true;
    if (!IsUserAdministrator()) {
        Log(LogLevel::Error,
            L"the libraries need changing and the launcher does not run as an administrator:" +
                (copyNeeded ? L" copy " + pair.copySource + L" to " + pair.copyTarget + L";"
                            : L"") +
                (rewriteNeeded ? L" rewrite the name in " + pair.rewritten : L""));
        return ShowError(owner, LibraryPatchNeedsAdministratorText);
    }
    // Without the copy, a rewritten library would load a file that does not exist.
    // Each failure below is logged with its file and error where it happens.
    if (copyNeeded) {
        if (!CopyIntoPlace(pair.copySource, pair.copyTarget, wait))
            return ShowError(owner, OccupiedText(pair.side));
        Log(L"library copied: " + pair.copySource + L" -> " + pair.copyTarget);
    }
    if (rewriteNeeded) {
        if (!ReplaceBytes(pair.rewritten, pair.from, pair.to, wait))
            return ShowError(owner, OccupiedText(pair.side));
        Log(L"library name rewritten in " + pair.rewritten);
    }
    return true;
}

} // namespace

FileBytesSearch SearchFileForBytes(std::wstring_view path, const Bytes& bytes) {
    HeldFileWait wait;
    return SearchFile(std::wstring(path), bytes, wait);
}

bool ReplaceBytesInFile(std::wstring_view path, const Bytes& from, const Bytes& to) {
    HeldFileWait wait;
    return ReplaceBytes(std::wstring(path), from, to, wait);
}

bool PatchLibraryNames(const std::vector<LibraryPatchPair>& pairs, HWND owner) {
    // One patience for the whole patch: libraries held for good cost it the pauses once.
    HeldFileWait wait;
    for (const LibraryPatchPair& pair : pairs)
        if (!PatchPair(pair, owner, wait)) return false;
    return true;
}

} // namespace qv
