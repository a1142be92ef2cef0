// Times the start of programs that show a window: from just before CreateProcessW to the first
// visible top-level window of the new process, the programs started in turn so that all meet
// the same state of the Wine prefix. Prints each program's median and its ratio to the first
// program's. Run by tools/bench-startup.sh.
//   qv_startup_bench <runs> <program> [<program> ...]   (Unix or Windows paths)
#include "base/handles_win.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/top_level_windows_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;

HWND VisibleWindowOf(DWORD processId) {
    const std::vector<HWND> windows = test::TopLevelWindowsOf(processId);
    return windows.empty() ? nullptr : windows.front();
}

// Milliseconds to the first visible window, or a negative value when none came within 20 s.
double TimeOneStart(const std::wstring& exe) {
    const auto start = Clock::now();
    ProcessHandles process = test::StartProgram(exe, L"\"" + exe + L"\"");
    if (!process.process) return -1;
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(process.processId))) {
        if (::WaitForSingleObject(process.process.get(), 1) == WAIT_OBJECT_0) return -1;
        if (Clock::now() - start > std::chrono::seconds(20)) break;
    }
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.process.get(), 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.process.get(), 1);
    return window ? elapsed : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring WindowsPath(const char* path) {
    return path[0] == '/' ? test::WindowsPathFromUnix(path)
                          : std::wstring(path, path + std::char_traits<char>::length(path));
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_startup_bench <runs> <program> [<program> ...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<std::wstring> programs;
    for (int i = 2; i < argc; ++i)
        programs.push_back(qv::WindowsPath(argv[i]));
    // One start of each first: the prefix's caches warm up alike for every program.
    for (std::size_t p = 0; p < programs.size(); ++p)
        if (qv::TimeOneStart(programs[p]) < 0) {
            std::fprintf(stderr, "no window from %s\n", argv[2 + p]);
            return 1;
        }
    std::vector<std::vector<double>> times(programs.size());
    for (int run = 0; run < runs; ++run)
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const double ms = qv::TimeOneStart(programs[p]);
            if (ms < 0) {
                std::fprintf(stderr, "no window from %s\n", argv[2 + p]);
                return 1;
            }
            times[p].push_back(ms);
        }
    const double first = qv::Median(times[0]);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const double median = qv::Median(times[p]);
        auto [low, high] = std::minmax_element(times[p].begin(), times[p].end());
        const std::string_view path = argv[2 + p];
        const std::string name(path.substr(path.find_last_of("/\\") + 1));
        std::printf("%-30s median %7.1f ms  ratio %.2f  (min %6.1f, max %6.1f, %d runs)\n",
                    name.c_str(), median, median / first, *low, *high, runs);
    }
    return 0;
}
