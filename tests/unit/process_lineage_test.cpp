#include "launch/supervision/fluent_process.h"
#include "launch/supervision/process_lineage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace qv {
namespace {

// A snapshot: id -> (parent, start time); a process missing from starts cannot be asked.
struct Snapshot {
    std::vector<ProcessLink> links;
    std::map<std::uint32_t, std::uint64_t> starts;
    void Add(std::uint32_t id, std::uint32_t parent, std::uint64_t start) {
        links.push_back({id, parent});
        starts[id] = start;
    }
    StartTimeOf Times() const {
        return [this](std::uint32_t id) -> std::optional<std::uint64_t> {
            const auto found = starts.find(id);
            if (found == starts.end()) return std::nullopt;
            return found->second;
        };
    }
};

TEST(ProcessLineage, AChainOfRunningParentsThatStartedFirstLeadsToTheStartProgram) {
    // The start program 100 ran from 10 to 50; the launcher is 1.
    const StartedProgram program{100, 10, 50};
    Snapshot s;
    s.Add(1, 0, 1);
    s.Add(200, 100, 20); // its child, started while it ran
    s.Add(300, 200, 30); // a grandchild through a running parent
    s.Add(400, 100, 60); // a child of a newer process that got the program's id after it ended
    s.Add(500, 600, 40); // whose parent has ended and is gone from the snapshot
    s.Add(700, 1, 25);   // the launcher's other child
    s.Add(800, 900, 35); // whose parent 900 has the id again, started after it
    s.Add(900, 100, 45);
    s.Add(901, 902, 30); // two processes naming each other
    s.Add(902, 901, 30);
    s.Add(1000, 200, 5);            // "started" before its parent: its parent's id was reused
    s.links.push_back({1100, 100}); // a process whose start cannot be told
    struct Case {
        std::uint32_t id;
        bool descends;
    };
    const std::vector<Case> cases{{200, true},   {300, true},  {400, false}, {500, false},
                                  {700, false},  {800, false}, {901, false}, {1000, false},
                                  {1100, false}, {100, false}, {1, false},   {4242, false}};
    for (const Case& c : cases)
        EXPECT_EQ(DescendsFrom(c.id, program, s.links, s.Times()), c.descends) << c.id;

    // While the program still runs, any later child is its own.
    const StartedProgram running{100, 10, std::nullopt};
    EXPECT_TRUE(DescendsFrom(400, running, s.links, s.Times()));
    EXPECT_FALSE(DescendsFrom(200, StartedProgram{100, 21, std::nullopt}, s.links, s.Times()))
        << "a child older than the program";
}

TEST(ProcessLineage, EachLauncherChoosesItsOwnFluentAndFallsBackOnlyWhenNoneCanCome) {
    using Ids = std::vector<std::uint32_t>;
    struct Case {
        const char* name;
        Ids before, now, own;
        bool ownMayStillCome;
        std::optional<std::uint32_t> chosen;
        FluentChoiceRule rule;
        bool startFailed = false;
    };
    const std::vector<Case> cases{
        {"nothing new", {40}, {40}, {}, false, std::nullopt, FluentChoiceRule::LastNew},
        {"its own, shown after another's",
         {},
         {52, 60},
         {52},
         true,
         52,
         FluentChoiceRule::Descendant},
        {"another's while its own may come",
         {},
         {60},
         {},
         true,
         std::nullopt,
         FluentChoiceRule::LastNew},
        {"the last of two of its own",
         {},
         {52, 53, 60},
         {52, 53},
         true,
         53,
         FluentChoiceRule::Descendant},
        {"none of its own can come", {40}, {40, 52, 60}, {}, false, 60, FluentChoiceRule::LastNew},
        {"its own ran before", {52}, {52, 60}, {52}, true, std::nullopt, FluentChoiceRule::LastNew},
        {"another's after this start failed",
         {40},
         {40, 60},
         {},
         false,
         std::nullopt,
         FluentChoiceRule::LastNew,
         true},
        {"its own after this start failed",
         {},
         {52, 60},
         {52},
         false,
         52,
         FluentChoiceRule::Descendant,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        const auto same = [](const Ids& ids) {
            std::vector<ProcessIdentity> processes;
            for (std::uint32_t id : ids)
                processes.push_back({id, 1});
            return processes;
        };
        const auto chosen = ChooseOwnFluentProcess(
            same(c.before), same(c.now),
            [&](std::uint32_t id) {
                return std::find(c.own.begin(), c.own.end(), id) != c.own.end();
            },
            [&] {
                ++asked;
                return c.ownMayStillCome;
            },
            c.startFailed);
        ASSERT_EQ(chosen.has_value(), c.chosen.has_value());
        if (!chosen) continue;
        EXPECT_EQ(chosen->id, *c.chosen);
        EXPECT_EQ(chosen->rule, c.rule);
        // Whether its own may still come is asked only when no new one is its own.
        EXPECT_EQ(asked, c.rule == FluentChoiceRule::LastNew ? 1 : 0);
    }
}

} // namespace
} // namespace qv
