#include "launch/supervision/fluent_processes_win.h"

#include "launch/supervision/fluent_process.h"

#include <string>

namespace qv {

namespace {

std::wstring ClassName(HWND window) {
    wchar_t name[LongestWindowText + 1] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(LongestWindowText + 1));
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The title as the window structure holds it: no message reaches the other process, so a hung
// Fluent cannot hang the launcher.
std::wstring Title(HWND window) {
    if (::GetWindowTextLengthW(window) <= 0) return L"";
    wchar_t title[LongestWindowText + 1] = {};
    const int length = ::GetWindowTextW(window, title, static_cast<int>(LongestWindowText + 1));
    return std::wstring(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

DWORD OwnerProcess(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

bool IsFluentMainWindow(HWND window) {
    return ::IsWindow(window) && ::IsWindowVisible(window) && !::GetParent(window) &&
           IsFluentWindowClass(ClassName(window)) && IsFluentWindowTitle(Title(window));
}

struct Search {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (OwnerProcess(window) != search->processId || !IsFluentMainWindow(window)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectOwner(HWND window, LPARAM parameter) {
    if (IsFluentMainWindow(window))
        reinterpret_cast<std::vector<std::uint32_t>*>(parameter)->push_back(OwnerProcess(window));
    return TRUE;
}

BOOL CALLBACK MatchConsole(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    const bool multiLine = (::GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE) != 0;
    HWND parent = ::GetParent(window);
    if (!parent || OwnerProcess(window) != search->processId ||
        !IsFluentConsole(ClassName(window), multiLine, ClassName(parent)))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK SearchChildren(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (OwnerProcess(window) != search->processId) return TRUE;
    ::EnumChildWindows(window, &MatchConsole, parameter);
    return search->found ? FALSE : TRUE;
}

} // namespace

std::vector<std::uint32_t> FluentProcessesIn(const std::vector<RunningProcess>& processes) {
    std::vector<std::uint32_t> ids;
    for (const RunningProcess& process : processes)
        if (IsFluentExecutableName(process.executable) && FindFluentWindow(process.id))
            ids.push_back(process.id);
    return ids;
}

std::vector<std::uint32_t> ListFluentProcesses() {
    return FluentProcessesIn(SnapshotProcesses());
}

std::vector<std::uint32_t> FluentWindowOwners() {
    std::vector<std::uint32_t> owners;
    ::EnumWindows(&CollectOwner, reinterpret_cast<LPARAM>(&owners));
    return owners;
}

HWND FindFluentWindow(std::uint32_t processId) {
    Search search{processId};
    ::EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindFluentConsole(std::uint32_t processId) {
    Search search{processId};
    ::EnumWindows(&SearchChildren, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace qv
