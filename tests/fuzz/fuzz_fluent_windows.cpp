// Names of running processes, window classes and titles, as other programs choose them, and the
// identifiers of a process snapshot.
#include "fuzz_input.h"
#include "launch/supervision/fluent_process.h"
#include "launch/supervision/process_lineage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    std::vector<qv::ProcessIdentity> before, now;
    for (int n = input.Byte() % 8; n > 0; --n)
        before.push_back({input.Byte() % 16u, input.Byte() % 3u});
    for (int n = input.Byte() % 8; n > 0; --n)
        now.push_back({input.Byte() % 16u, input.Byte() % 3u});
    const auto chosen = qv::ChooseNewFluentProcess(before, now);
    const auto ranBefore = [&](const qv::ProcessIdentity& process) {
        return std::find(before.begin(), before.end(), process) != before.end();
    };
    if (chosen) {
        QV_FUZZ_CHECK(std::any_of(now.begin(), now.end(), [&](const qv::ProcessIdentity& p) {
            return p.id == *chosen && !ranBefore(p);
        }));
    } else {
        for (const qv::ProcessIdentity& process : now)
            QV_FUZZ_CHECK(ranBefore(process));
    }

    // A snapshot's parents and start times, reused ids and loops among them.
    std::vector<qv::ProcessLink> links;
    std::vector<std::uint64_t> starts(16);
    for (int n = input.Byte() % 12; n > 0; --n) {
        const std::uint32_t id = input.Byte() % 16;
        links.push_back({id, static_cast<std::uint32_t>(input.Byte() % 16)});
        starts[id] = input.Byte();
    }
    qv::StartedProgram program{static_cast<std::uint32_t>(input.Byte() % 16), input.Byte()};
    if (input.Byte() % 2) program.endedAt = program.startedAt + input.Byte();
    const qv::StartTimeOf startOf = [&](std::uint32_t id) -> std::optional<std::uint64_t> {
        if (id % 5 == 4) return std::nullopt; // a process that cannot be asked
        return starts[id % 16];
    };
    for (std::uint32_t id = 0; id < 16; ++id) {
        if (!qv::DescendsFrom(id, program, links, startOf)) continue;
        QV_FUZZ_CHECK(id != program.id);
        QV_FUZZ_CHECK(std::any_of(links.begin(), links.end(),
                                  [id](const qv::ProcessLink& link) { return link.id == id; }));
    }
    const bool startFailed = input.Byte() % 2 == 0;
    const auto own = qv::ChooseOwnFluentProcess(
        before, now,
        [&](std::uint32_t id) { return qv::DescendsFrom(id, program, links, startOf); },
        [&] { return input.Byte() % 2 == 0; }, startFailed);
    if (own)
        QV_FUZZ_CHECK(std::any_of(now.begin(), now.end(), [&](const qv::ProcessIdentity& p) {
            return p.id == own->id && !ranBefore(p);
        }));
    // A start that failed is never given a Fluent it did not start.
    if (own && startFailed) QV_FUZZ_CHECK(own->rule == qv::FluentChoiceRule::Descendant);

    const std::wstring name = input.Text();
    const std::wstring className = input.Text();
    const std::wstring title = input.Text();
    const std::wstring parentClass = input.Text();
    if (qv::IsFluentExecutableName(name)) QV_FUZZ_CHECK(name.size() >= 6);
    qv::IsFluentWindowClass(className);
    if (qv::IsFluentWindowTitle(title)) QV_FUZZ_CHECK(title.size() >= 6);
    if (qv::IsFluentConsole(className, true, parentClass))
        QV_FUZZ_CHECK(!qv::IsFluentConsole(className, false, parentClass));
    return 0;
}
