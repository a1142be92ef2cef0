#include "update/release.h"
#include "update/update_sources.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();

TEST(ReleaseText, PartsAndComparisonWithThisRelease) {
    struct Case {
        const wchar_t* text;
        ReleaseNumber number;
        bool newer; // than 2025-R2
    };
    const std::vector<Case> cases = {
        {L"2025-R2", {2025, 2, 0}, false},
        {L"2025-R2-SP1", {2025, 2, 1}, true},
        {L"2024-R3", {2024, 3, 0}, false},
        {L"2025-R3", {2025, 3, 0}, true},
        {L"2026-R1", {2026, 1, 0}, true},
        {L"2026", {0, 0, 0}, false},
        {L"2026-r1-sp3", {2026, 1, 3}, true},
        {L"2025-r2-Sp0", {2025, 2, 0}, false},
        {L"2025-R10\n", {2025, 10, 0}, true},
        {L"2025-R2-SP1\r\n", {2025, 2, 1}, true},
        {L"2025-R1-SP9", {2025, 1, 9}, false},
        {L" 2026 - R 1 ", {2026, 1, 0}, true},
        {L"2025-SP1", {2025, 0, 0}, false},
        {L"-R3", {0, 3, 0}, false},
        {L"", {0, 0, 0}, false},
        {L"<html><body>Not Found</body></html>", {0, 0, 0}, false},
        {L"not-a-release", {0, 0, 0}, false},
        {L"2025-R3-SP2-extra", {2025, 3, 2}, true},
        {L"99999999999-R1", {Max, 1, 0}, true},
        {L"-99999999999-R1", {0, Max, 0}, false},
        {L"2025-R2--1", {2025, 2, -1}, false},
    };
    const ReleaseNumber running = ParseReleaseText(ProductRelease);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ReleaseNumber number = ParseReleaseText(c.text);
        EXPECT_EQ(number.year, c.number.year);
        EXPECT_EQ(number.revision, c.number.revision);
        EXPECT_EQ(number.servicePack, c.number.servicePack);
        EXPECT_EQ(IsNewerRelease(number, running), c.newer);
    }
}

TEST(ReleaseText, AByteOrderMarkBeforeTheReleaseIsDropped) {
    struct Case {
        std::string_view bytes, kept;
    };
    for (const Case& c : std::vector<Case>{{"\xEF\xBB\xBF"
                                            "2026-R1",
                                            "2026-R1"},
                                           {"2026-R1", "2026-R1"},
                                           {"\xEF\xBB\xBF", ""},
                                           {"\xEF\xBB"
                                            "2026-R1",
                                            "\xEF\xBB"
                                            "2026-R1"},
                                           {"2026-R1\xEF\xBB\xBF", "2026-R1\xEF\xBB\xBF"}})
        EXPECT_EQ(WithoutByteOrderMark(c.bytes), c.kept);
    const std::string_view marked = WithoutByteOrderMark("\xEF\xBB\xBF"
                                                         "2026-R1");
    const ReleaseNumber published = ParseReleaseText(std::wstring(marked.begin(), marked.end()));
    EXPECT_EQ(published.year, 2026);
    EXPECT_TRUE(IsNewerRelease(published, ParseReleaseText(ProductRelease)));
}

TEST(ReleaseText, NewerIsDecidedByYearThenRevisionThenServicePack) {
    EXPECT_TRUE(IsNewerRelease({2026, 1, 0}, {2025, 9, 9}));
    EXPECT_FALSE(IsNewerRelease({2024, 9, 9}, {2025, 1, 0}));
    EXPECT_TRUE(IsNewerRelease({2025, 3, 0}, {2025, 2, 5}));
    EXPECT_FALSE(IsNewerRelease({2025, 1, 9}, {2025, 2, 0}));
    EXPECT_TRUE(IsNewerRelease({2025, 2, 2}, {2025, 2, 1}));
    EXPECT_FALSE(IsNewerRelease({2025, 2, 1}, {2025, 2, 1}));
}

TEST(ReleaseText, ABodyIsAReleaseFileOnlyWhenShortTextAndNotEmpty) {
    EXPECT_TRUE(IsReleaseFileBody("2025-R3\r\n"));
    EXPECT_TRUE(IsReleaseFileBody(std::string(MaxReleaseFileBytes, 'x')));
    EXPECT_FALSE(IsReleaseFileBody(std::string(MaxReleaseFileBytes + 1, 'x')));
    EXPECT_FALSE(IsReleaseFileBody(""));
    EXPECT_FALSE(IsReleaseFileBody(std::string("2026-R1\0\x01\x02", 10)));
}

TEST(UpdateSources, TheSitesInOrderAndTheirReleaseFile) {
    EXPECT_EQ(BuiltInUpdateSources(),
              (std::vector<std::wstring>{ProductSite, ChinaSite, MirrorSite}));
    for (const std::wstring& site : BuiltInUpdateSources()) {
        EXPECT_EQ(site.rfind(L"https://", 0), 0u) << site;
        EXPECT_NE(site.back(), L'/') << site;
    }
    EXPECT_EQ(ReleaseFileAddress(L"https://a.example"), L"https://a.example/download/version.txt");
}

TEST(UpdateSources, AListFromOutsideKeepsOnlyLoopbackAddresses) {
    struct Case {
        const wchar_t* list;
        std::vector<std::wstring> sources;
    };
    const std::vector<Case> cases = {
        {L"http://127.0.0.1:8080", {L"http://127.0.0.1:8080"}},
        {L"http://127.0.0.1:1/product; http://127.0.0.1:2/china-site;http://127.0.0.1:65535/a_b/c",
         {L"http://127.0.0.1:1/product", L"http://127.0.0.1:2/china-site",
          L"http://127.0.0.1:65535/a_b/c"}},
        {L"none", {}},
        {L"", {}},
        {L";;", {}},
        {L"https://www.quorvex.test;http://127.0.0.1:80", {L"http://127.0.0.1:80"}},
        {L"http://127.0.0.1", {}},
        {L"http://127.0.0.1:", {}},
        {L"http://127.0.0.1:0", {}},
        {L"http://127.0.0.1:65536", {}},
        {L"http://127.0.0.1:123456", {}},
        {L"http://127.0.0.1:80@evil.example", {}},
        {L"http://127.0.0.1:80.evil.example", {}},
        {L"http://127.0.0.1:80/../x?y", {}},
        {L"http://127.0.0.1:80/a b", {}},
        {L"http://127.0.0.1.evil.example:80", {}},
        {L"HTTP://127.0.0.1:80", {}},
        {L"https://127.0.0.1:443", {}},
        {L"http://localhost:80", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoopbackUpdateSources(c.list), c.sources) << c.list;
}

TEST(UpdateSources, AnUnsetOrEmptyListLeavesTheBuiltInSites) {
    struct Case {
        std::optional<std::wstring> list;
        std::vector<std::wstring> sources;
    };
    const std::vector<Case> cases = {
        {std::nullopt, BuiltInUpdateSources()},
        {L"", BuiltInUpdateSources()},
        {L"none", {}},
        {L" ", {}},
        {L"http://127.0.0.1:8080/a", {L"http://127.0.0.1:8080/a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateSourcesFor(c.list), c.sources) << (c.list ? "set" : "unset");
}

} // namespace
} // namespace qv
