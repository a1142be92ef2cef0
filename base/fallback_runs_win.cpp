#include "base/fallback_runs_win.h"

#include "base/handles_win.h"
#include "base/text.h"

#include <windows.h>

#include <cstdio>

namespace qv {

namespace {

// A note is one line; anything longer is not one of ours.
constexpr DWORD LongestNoteBytes = 4096;

std::wstring ReadNote(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::uint8_t bytes[LongestNoteBytes];
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr)) return L"";
    return TextFromUtf16Bytes(bytes, read);
}

} // namespace

std::wstring RunOnlyInFallbackPath(std::wstring_view fallbackPath, std::uint32_t processId,
                                   const LogTime& runBegan) {
    wchar_t name[96];
    std::swprintf(name, 96, L"\\Quorvex Launcher %u-%04d%02d%02d%02d%02d%02d%03d.unreported",
                  static_cast<unsigned>(processId), runBegan.year, runBegan.month, runBegan.day,
                  runBegan.hour, runBegan.minute, runBegan.second, runBegan.millisecond);
    return ParentFolder(fallbackPath) + name;
}

void RecordRunOnlyInFallback(const std::wstring& notePath, std::wstring_view text) {
    UniqueFile file(::CreateFileW(notePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::vector<std::uint8_t> bytes = Utf16BytesFromText(text);
    DWORD written = 0;
    if (file)
        ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void ForgetRunOnlyInFallback(const std::wstring& notePath) {
    if (!notePath.empty()) ::DeleteFileW(notePath.c_str());
}

std::vector<std::wstring> ClaimRunsOnlyInFallback(std::wstring_view fallbackPath) {
    std::vector<std::wstring> runs;
    const std::wstring folder = ParentFolder(fallbackPath);
    if (folder.empty()) return runs;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(
        ::FindFirstFileW((folder + L"\\Quorvex Launcher *.unreported").c_str(), &entry));
    if (!find) return runs;
    const std::wstring claim = L".claimed-" + std::to_wstring(::GetCurrentProcessId());
    do {
        const std::wstring note = folder + L"\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ||
            !::MoveFileW(note.c_str(), (note + claim).c_str()))
            continue;
        const std::wstring text = ReadNote(note + claim);
        ::DeleteFileW((note + claim).c_str());
        if (!text.empty()) runs.push_back(text);
    } while (::FindNextFileW(find.get(), &entry));
    return runs;
}

} // namespace qv
