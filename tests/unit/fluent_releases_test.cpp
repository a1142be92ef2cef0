#include "discovery/fluent_versions.h"
#include "launch/record/fluent_releases.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// Each boundary lies above the supported version before the release it names and at most at the
// release itself, so its name says which releases fall on either side.
TEST(FluentReleases, EachBoundaryLiesJustBelowTheReleaseItNames) {
    struct Case {
        double boundary;
        const wchar_t* release;
    };
    for (const Case& c :
         {Case{Fluent12, L"12.0"}, Case{Fluent13, L"13.0"}, Case{Fluent17, L"17.0"},
          Case{Fluent18_2, L"18.2"}, Case{Fluent19_2, L"19.2"}, Case{Fluent2021R1, L"21.1"},
          Case{Fluent2021R2, L"21.2"}, Case{Fluent2022R1, L"22.1"}, Case{Fluent2022R2, L"22.2"},
          Case{Fluent2024R2, L"24.2"}}) {
        std::size_t row = 0;
        while (row < FluentVersionTable.size() &&
               std::wstring(FluentVersionTable[row].versionText) != c.release)
            ++row;
        ASSERT_LT(row, FluentVersionTable.size()) << "no supported version " << c.release;
        ASSERT_GT(row, 0u);
        const double before = FluentVersionNumber(FluentVersionTable[row - 1].versionText);
        const double release = FluentVersionNumber(c.release);
        EXPECT_LT(before, c.boundary) << c.release;
        EXPECT_LE(c.boundary, release) << c.release;
    }
}

TEST(FluentReleases, OnlyFluent12IsFluent12) {
    for (const FluentVersionRow& row : FluentVersionTable) {
        const std::wstring text = row.versionText;
        EXPECT_EQ(IsFluent12(FluentVersionNumber(text)), text == L"12.0" || text == L"12.1")
            << std::string(text.begin(), text.end());
    }
}

} // namespace
} // namespace qv
