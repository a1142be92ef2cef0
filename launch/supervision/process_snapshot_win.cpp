#include "launch/supervision/process_snapshot_win.h"

#include "base/handles_win.h"

#include <tlhelp32.h>

namespace qv {

namespace {

std::uint64_t Ticks(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

} // namespace

std::vector<RunningProcess> SnapshotProcesses() {
    std::vector<RunningProcess> processes;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return processes;
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    return processes;
}

std::vector<ProcessLink> LinksOf(const std::vector<RunningProcess>& processes) {
    std::vector<ProcessLink> links;
    links.reserve(processes.size());
    for (const RunningProcess& process : processes)
        links.push_back({process.id, process.parentId});
    return links;
}

std::optional<std::uint64_t> ProcessStartTime(std::uint32_t id) {
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !::GetProcessTimes(process.get(), &created, &exited, &kernel, &user))
        return std::nullopt;
    return Ticks(created);
}

StartedProgram StartedProgramOf(HANDLE process, std::uint32_t id) {
    StartedProgram program;
    program.id = id;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return program;
    program.startedAt = Ticks(created);
    if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) program.endedAt = Ticks(exited);
    return program;
}

bool DescendsFrom(std::uint32_t id, const StartedProgram& program,
                  const std::vector<RunningProcess>& processes) {
    return DescendsFrom(id, program, LinksOf(processes), &ProcessStartTime);
}

std::optional<std::uint32_t> FirstFluentDescendant(const StartedProgram& program,
                                                   const std::vector<RunningProcess>& processes) {
    const std::vector<ProcessLink> links = LinksOf(processes);
    for (const RunningProcess& process : processes)
        if (IsFluentExecutableName(process.executable) &&
            DescendsFrom(process.id, program, links, &ProcessStartTime))
            return process.id;
    return std::nullopt;
}

std::vector<ProcessIdentity> IdentitiesOf(const std::vector<std::uint32_t>& ids) {
    std::vector<ProcessIdentity> identities;
    identities.reserve(ids.size());
    for (std::uint32_t id : ids)
        identities.push_back({id, ProcessStartTime(id).value_or(0)});
    return identities;
}

} // namespace qv
