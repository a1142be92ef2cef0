// The main of every test program, native and Windows: GoogleTest's run, which must also show that
// it tested what it was asked to. A pattern of --gtest_filter that selects no test, or a skipped
// test, fails the program even when GoogleTest itself reports success, so a renamed test cannot
// drop out of its entry unseen and a skip is never counted as a pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// GoogleTest's pattern syntax: '*' matches any text, '?' any one character.
bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    return *name != '\0' && (*pattern == '?' || *pattern == *name) &&
           Matches(pattern + 1, name + 1);
}

// The patterns before the filter's first '-'; none means every test.
std::vector<std::string> PositivePatterns(const std::string& filter) {
    const std::string positive = filter.substr(0, filter.find('-'));
    std::vector<std::string> patterns;
    for (std::size_t start = 0; start <= positive.size();) {
        const std::size_t end = std::min(positive.find(':', start), positive.size());
        if (end > start) patterns.push_back(positive.substr(start, end - start));
        start = end + 1;
    }
    if (patterns.empty()) patterns.push_back("*");
    return patterns;
}

template <typename Visit> void ForEachTest(const testing::UnitTest& unit, Visit visit) {
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const testing::TestSuite& suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j)
            visit(*suite.GetTestInfo(j));
    }
}

std::string FullName(const testing::TestInfo& test) {
    return std::string(test.test_suite_name()) + "." + test.name();
}

// True when every pattern selected a test that ran and no test was skipped; says what is wrong.
bool TestedWhatWasAsked(const testing::UnitTest& unit) {
    bool ok = true;
    for (const std::string& pattern : PositivePatterns(GTEST_FLAG_GET(filter))) {
        bool selected = false;
        ForEachTest(unit, [&](const testing::TestInfo& test) {
            selected =
                selected || (test.should_run() && Matches(pattern.c_str(), FullName(test).c_str()));
        });
        if (!selected) {
            std::fprintf(stderr, "FAILED: no test ran for the filter pattern \"%s\"\n",
                         pattern.c_str());
            ok = false;
        }
    }
    ForEachTest(unit, [&](const testing::TestInfo& test) {
        if (test.should_run() && test.result()->Skipped()) {
            std::fprintf(stderr, "FAILED: skipped %s\n", FullName(test).c_str());
            ok = false;
        }
    });
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (GTEST_FLAG_GET(list_tests)) return status;
    const bool tested = TestedWhatWasAsked(*testing::UnitTest::GetInstance());
    return status != 0 ? status : tested ? 0 : 1;
}
