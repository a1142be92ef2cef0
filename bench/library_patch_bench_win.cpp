// Times renaming a library reference in a large file against a plain copy of the same file, and
// the peak memory of each. Every kind of work runs in a fresh process of its own, so that its
// peak working set is its own. Run under Wine by tools/bench-couplings.sh; prints medians in
// milliseconds and peaks in MiB.
#include "base/handles_win.h"
#include "launch/couplings/byte_replace.h"
#include "launch/couplings/library_patch_win.h"
#include "tests/support/file_tree_win.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv {
namespace {

const std::wstring Folder = L"C:\\qv-bench-patch";
const std::wstring Original = Folder + L"\\original.dll";
const std::wstring Work = Folder + L"\\libmat.dll";
const std::wstring Copy = Folder + L"\\copy.dll";
constexpr std::size_t MiB = 1 << 20;
const Bytes OldName{'h', 'd', 'f', '5', '.', 'd', 'l', 'l'};
const Bytes NewName{'h', 'd', 'f', '_', '.', 'd', 'l', 'l'};

double PeakWorkingSetMiB() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / MiB;
}

// Bytes of every value, the old name every 7 MiB and once across each MiB's end, written a MiB
// at a time.
bool MakeLibrary(std::size_t mebibytes) {
    if (!test::MakeFolders(Folder)) return false;
    UniqueFile file(
        ::CreateFileW(Original.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    std::vector<char> chunk(MiB);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < mebibytes; ++i) {
        for (char& c : chunk) {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);
        }
        std::copy_n("dll.", 4, chunk.begin()); // the end of the name begun in the MiB before
        std::copy_n("hdf5", 4, chunk.end() - 4);
        if (i % 7 == 0) std::copy_n("hdf5.dll", 8, chunk.begin() + 4096);
        DWORD written = 0;
        if (!::WriteFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written,
                         nullptr) ||
            written != chunk.size())
            return false;
    }
    return true;
}

bool CopyAndFlush() {
    if (!::CopyFileW(Work.c_str(), Copy.c_str(), FALSE)) return false;
    UniqueFile copy(
        ::CreateFileW(Copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return copy && ::FlushFileBuffers(copy.get());
}

bool StreamCopy() {
    UniqueFile in(::CreateFileW(Work.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    UniqueFile out(
        ::CreateFileW(Copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<char> buffer(MiB);
    for (DWORD read = 0;; read = 0) {
        if (!in || !out ||
            !::ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return false;
        if (read == 0) return ::FlushFileBuffers(out.get()) != FALSE;
        DWORD written = 0;
        if (!::WriteFile(out.get(), buffer.data(), read, &written, nullptr) || written != read)
            return false;
    }
}

// The kinds of work, each on a fresh copy of the library.
const std::map<std::string, std::function<bool()>>& Works() {
    static const std::map<std::string, std::function<bool()>> works = {
        // A process that does nothing: the peak every other kind starts from.
        {"idle", [] { return true; }},
        {"replace", [] { return ReplaceBytesInFile(Work, OldName, NewName); }},
        // What a later launch does: reads the whole file and finds no old name.
        {"search",
         [] {
             return !FileContainsBytes(Work, Bytes{'x', 'e', 'r', 'c', 'e', 's', '-', 'c'});
         }},
        // The same replacement where the name does not occur: everything but the final rename.
        {"rewrite-absent",
         [] {
             return ReplaceBytesInFile(Work, Bytes{'x', 'e', 'r', 'c', 'e', 's', '-', 'c'},
                                       Bytes{'x', 'e', 'r', 'c', 'e', 's', '_', 'c'});
         }},
        // The same streaming without any search: this file's floor for reading, writing and
        // flushing.
        {"stream-copy", StreamCopy},
        {"copy", [] { return ::CopyFileW(Work.c_str(), Copy.c_str(), FALSE) != FALSE; }},
        {"copy-flush", CopyAndFlush},
    };
    return works;
}

// In the child: runs one kind of work, prints its median time and the process's peak.
int RunOne(const std::string& name, int runs) {
    const auto& work = Works().at(name);
    std::vector<double> times;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        ::CopyFileW(Original.c_str(), Work.c_str(), FALSE);
        ::DeleteFileW(Copy.c_str());
        const auto start = std::chrono::steady_clock::now();
        ok = work() && ok;
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    // The replacement's result is right: no old name is left, the new one is there.
    if (name == "replace")
        ok = ok && !FileContainsBytes(Work, OldName) && FileContainsBytes(Work, NewName);
    std::sort(times.begin(), times.end());
    std::printf("%s %.1f %.1f\n", ok ? "ok" : "failed", times[times.size() / 2],
                PeakWorkingSetMiB());
    return ok ? 0 : 1;
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    using namespace qv;
    if (argc == 4 && std::string(argv[1]) == "--one") return RunOne(argv[2], std::atoi(argv[3]));
    const std::size_t mebibytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (!MakeLibrary(mebibytes)) {
        std::fprintf(stderr, "cannot make the library file\n");
        return 1;
    }
    std::printf("file %zu MiB, %d runs each, each kind in a fresh process (median time; peak "
                "working set of that process)\n",
                mebibytes, runs);
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    bool ok = true;
    for (const char* name :
         {"idle", "copy", "copy-flush", "stream-copy", "search", "rewrite-absent", "replace"}) {
        std::fflush(stdout);
        std::wstring commandLine = L"bench --one " + std::wstring(name, name + std::strlen(name)) +
                                   L" " + std::to_wstring(runs);
        STARTUPINFOW startup{sizeof startup};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION info{};
        std::printf("%-16s ", name);
        std::fflush(stdout);
        if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                              &startup, &info))
            return 1;
        const UniqueHandle process(info.hProcess), thread(info.hThread);
        ::WaitForSingleObject(process.get(), INFINITE);
        DWORD code = 1;
        ::GetExitCodeProcess(process.get(), &code);
        ok = ok && code == 0;
    }
    std::printf("(columns: outcome, median ms, peak working set MiB)\n");
    return test::RemoveTree(Folder) && ok ? 0 : 1;
}
