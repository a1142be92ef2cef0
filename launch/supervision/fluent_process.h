// How the launcher tells a Fluent process, its main window and Fluent 12's console from other
// processes and windows, and which process a direct start produced.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Class names and titles are read up to this many characters.
inline constexpr std::size_t LongestWindowText = 499;

// fl*s.exe (Fluent's solvers, the "s.exe" at the fourth character or later) or cx*.exe (its
// cortex), in any case.
bool IsFluentExecutableName(std::wstring_view name);
// The frame classes of Fluent's releases, compared exactly.
bool IsFluentWindowClass(std::wstring_view className);
// Not empty and holding "fluent" in any case.
bool IsFluentWindowTitle(std::wstring_view title);

// A process as the launcher compares processes: the system gives the id of one that ended to a
// later one, and only the id with the start time tells them apart.
struct ProcessIdentity {
    std::uint32_t id = 0;
    std::uint64_t startedAt = 0; // 0 when the system would not say
    bool operator==(const ProcessIdentity& other) const {
        return id == other.id && startedAt == other.startedAt;
    }
};

// The last process of now that was not running before the start; with nothing before, the last
// of now. Nothing when the start has not produced a new Fluent window yet.
std::optional<std::uint32_t> ChooseNewFluentProcess(const std::vector<ProcessIdentity>& before,
                                                    const std::vector<ProcessIdentity>& now);

// Which rule chose the Fluent a launch records.
enum class FluentChoiceRule {
    Descendant, // it descends from the start program this launch started
    LastNew,    // none does: the last new one, as when launchers did not share a machine
};
struct FluentChoice {
    std::uint32_t id = 0;
    FluentChoiceRule rule = FluentChoiceRule::LastNew;
};

// The new Fluent process (of now, not of before) this launch records: the last new one that
// descends from its start program. While none does and this launch's own Fluent may still come
// (its start program runs, or a process of its start still does), nothing: the new Fluent of
// another launcher's start is never taken for this one's. Then the last new one, but only after
// a start program that ended well: one that failed started no Fluent, and a new one is another
// launcher's.
std::optional<FluentChoice>
ChooseOwnFluentProcess(const std::vector<ProcessIdentity>& before,
                       const std::vector<ProcessIdentity>& now,
                       const std::function<bool(std::uint32_t id)>& descendsFromStart,
                       const std::function<bool()>& ownMayStillCome, bool startFailed);

std::wstring ConsoleLoadCommand(std::wstring_view productFolder);
// Fluent 12's console: a multi-line edit whose parent is an MFC frame of Fluent 12.
bool IsFluentConsole(std::wstring_view className, bool multiLine, std::wstring_view parentClass);

} // namespace qv
