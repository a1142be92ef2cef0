// What the discovery lists are built from: the folders the Visual Studio drive scan tries and
// the entry preselected from a remembered value.
#include "discovery/remembered_index.h"
#include "discovery/visual_studio.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(VisualStudioDriveRoots, EveryDriveFromCToZInScanOrder) {
    const std::wstring x86 = L":\\Program Files (x86)\\Microsoft Visual Studio";
    const std::wstring plain = L":\\Program Files\\Microsoft Visual Studio";
    struct Case {
        int number;
        bool windows64;
        std::size_t count;
        std::vector<std::wstring> first; // the roots the scan tries first, in order
        std::wstring last;
    };
    const std::vector<Case> cases = {
        {14,
         true,
         48,
         {L"C" + x86 + L" 14.0", L"C" + plain + L" 14.0", L"D" + x86 + L" 14.0"},
         L"Z" + plain + L" 14.0"},
        {10,
         false,
         24,
         {L"C" + plain + L" 10.0", L"D" + plain + L" 10.0"},
         L"Z" + plain + L" 10.0"},
        {16,
         true,
         144,
         {L"C" + x86 + L"\\2019\\Community", L"C" + x86 + L"\\2019\\Professional",
          L"C" + x86 + L"\\2019\\Enterprise", L"C" + plain + L"\\2019\\Community",
          L"C" + plain + L"\\2019\\Professional", L"C" + plain + L"\\2019\\Enterprise",
          L"D" + x86 + L"\\2019\\Community"},
         L"Z" + plain + L"\\2019\\Enterprise"},
        {15,
         false,
         72,
         {L"C" + plain + L"\\2017\\Community", L"C" + plain + L"\\2017\\Professional",
          L"C" + plain + L"\\2017\\Enterprise", L"D" + plain + L"\\2017\\Community"},
         L"Z" + plain + L"\\2017\\Enterprise"},
        {13, true, 0, {}, L""}, // the internal numbers skip 13
    };
    for (const Case& c : cases) {
        const std::vector<std::wstring> roots = VisualStudioDriveRoots(c.number, c.windows64);
        ASSERT_EQ(roots.size(), c.count) << c.number << " " << c.windows64;
        for (std::size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(roots[i], c.first[i]) << c.number << " " << c.windows64 << " #" << i;
        if (!roots.empty()) {
            EXPECT_EQ(roots.back(), c.last) << c.number << " " << c.windows64;
        }
        if (!c.windows64) {
            for (const std::wstring& root : roots)
                EXPECT_EQ(root.find(L"(x86)"), std::wstring::npos) << root;
        }
    }
}

TEST(RememberedIndex, FirstEntryEqualIgnoringCaseElseTheFirst) {
    struct Entry {
        std::wstring key;
    };
    const std::vector<Entry> entries = {{L"2019a"}, {L"2020B"}, {L"2020b"}, {L"2021a"}};
    struct Case {
        const wchar_t* remembered;
        int index;
    };
    for (const Case& c : std::vector<Case>{{L"2020b", 1},
                                           {L"2020B", 1},
                                           {L"2021A", 3},
                                           {L"2019a", 0},
                                           {L"2018a", 0},
                                           {L"2020", 0},
                                           {L"", 0}})
        EXPECT_EQ(RememberedIndex(entries, &Entry::key, c.remembered), c.index) << c.remembered;
    EXPECT_EQ(RememberedIndex(std::vector<Entry>{}, &Entry::key, L"2020b"), 0);
}

} // namespace
} // namespace qv
