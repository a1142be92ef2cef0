#include "base/held_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

TEST(HeldFile, OnlyHoldsThatMayEndByThemselvesAreWaitedFor) {
    struct Case {
        std::uint32_t error;
        bool whileReadingOrWriting;
        bool whileDeletingOrReplacing;
    };
    for (const Case& c :
         std::vector<Case>{{32, true, true},   // sharing violation
                           {33, true, true},   // lock violation
                           {5, false, true},   // access denied: a file on its way out, else no hold
                           {2, false, false},  // file not found
                           {3, false, false},  // path not found
                           {19, false, false}, // write protected
                           {112, false, false},  // disk full
                           {1224, false, false}, // a mapped section: the program keeps it
                           {0, false, false}}) {
        EXPECT_EQ(IsPassingHold(c.error, FileWork::ReadOrWrite), c.whileReadingOrWriting)
            << c.error;
        EXPECT_EQ(IsPassingHold(c.error, FileWork::DeleteOrReplace), c.whileDeletingOrReplacing)
            << c.error;
    }
}

// Short at first, growing, and between one and a half and three seconds in all; then none.
TEST(HeldFile, PausesGrowAndEndWithinTheirBounds) {
    std::uint32_t total = 0;
    std::uint32_t previous = 0;
    int taken = 0;
    for (std::optional<std::uint32_t> pause; (pause = HoldPause(taken)); ++taken) {
        EXPECT_GE(*pause, previous) << taken;
        previous = *pause;
        total += *pause;
        ASSERT_LT(taken, 100) << "the pauses never end";
    }
    EXPECT_GE(taken, 3);
    EXPECT_LE(HoldPause(0).value_or(0), 200u);
    EXPECT_GE(total, 1500u);
    EXPECT_LE(total, 3000u);
    EXPECT_FALSE(HoldPause(taken + 1));
    EXPECT_FALSE(HoldPause(-1));
}

} // namespace
} // namespace qv
