// What the supervision bench asks of the real launcher it starts: its main dialog, and a clock
// that runs alike in every process of the machine.
#pragma once

#include "base/handles_win.h"
#include "resources/resource.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/top_level_windows_win.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace qv {

inline LONGLONG Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double Seconds(LONGLONG counts) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counts) / static_cast<double>(frequency.QuadPart);
}

inline HWND FindLauncherDialog(DWORD processId) {
    for (HWND window : test::TopLevelWindowsOf(processId))
        if (test::ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_FLUENT_LIST))
            return window;
    return nullptr;
}

// A performance counter the simulated solver recorded under the key ("window_shown_at=..."), read
// from the first solver record in the folder; 0 when there is none.
inline LONGLONG SolverCounter(const std::wstring& records, const std::string& key) {
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((records + L"\\fl2520s-*.txt").c_str(), &entry));
    if (!find) return 0;
    const auto record = test::ReadFileBytes(records + L"\\" + entry.cFileName);
    const std::size_t at = record ? record->find(key + "=") : std::string::npos;
    return at == std::string::npos ? 0 : std::atoll(record->c_str() + at + key.size() + 1);
}

} // namespace qv
