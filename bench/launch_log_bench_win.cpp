// What the launch log costs the launcher's start and each entry after it: the run's start line
// into a log folder that does not exist yet (the first start on a machine), into a log that
// exists (every later start), and one entry after it. Each measured in a folder of its own, the
// three in turn round by round. Run by tools/bench-startup.sh.
//   qv_launch_log_bench <runs>
#include "base/launch_log_win.h"
#include "bench/median_time.h"
#include "tests/support/file_tree_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t StartText[] =
    L"Quorvex launcher 2025-R2 (32-bit) on Windows 10.0.19045 (64-bit); language English, as "
    L"stored";

std::wstring Folder(int run, const wchar_t* kind) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"qv-log-bench-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           kind + L"-" + std::to_wstring(run);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
    std::vector<double> firstStart, start, entry;
    std::vector<std::wstring> folders;
    for (int run = -1; run < runs; ++run) {
        const std::wstring fresh = Folder(run, L"fresh"), existing = Folder(run, L"existing");
        folders.push_back(fresh);
        folders.push_back(existing);
        ::CreateDirectoryW(fresh.c_str(), nullptr);
        ::CreateDirectoryW(existing.c_str(), nullptr);
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", existing.c_str());
        qv::Log(L"an entry of an earlier run");
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", fresh.c_str());
        const double a = qv::Milliseconds([] { qv::LogRunStart(StartText); });
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", existing.c_str());
        const double b = qv::Milliseconds([] { qv::LogRunStart(StartText); });
        const double c =
            qv::Milliseconds([] { qv::Log(L"discovery in 12.3 ms: Fluent folders 1"); });
        if (run < 0) continue; // warms the libraries and the disk up
        firstStart.push_back(a);
        start.push_back(b);
        entry.push_back(c);
    }
    for (const std::wstring& folder : folders)
        static_cast<void>(qv::test::RemoveTree(folder));
    std::printf("the launch log (%d runs each, medians in ms):\n", runs);
    std::printf("  start line, log folder made          %7.3f (min %.3f)\n", qv::Median(firstStart),
                *std::min_element(firstStart.begin(), firstStart.end()));
    std::printf("  start line, log there                %7.3f (min %.3f)\n", qv::Median(start),
                *std::min_element(start.begin(), start.end()));
    std::printf("  one entry after it                   %7.3f (min %.3f)\n", qv::Median(entry),
                *std::min_element(entry.begin(), entry.end()));
    return 0;
}
