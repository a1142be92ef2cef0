#include "base/launch_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

TEST(LaunchLog, EntryBeginsWithItsTimeAndEndsWithALineEnd) {
    const LogTime time{2026, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(FormatLogEntry(time, L"start"), "2026-01-02 03:04:05.006 start\r\n");
}

TEST(LaunchLog, LineBreaksOfAMessageBecomeIndentedContinuationLines) {
    struct Case {
        const wchar_t* text;
        const char* logged;
    };
    for (const Case& c : std::vector<Case>{{L"a\nb", "a\r\n    b"},
                                           {L"a\r\nb", "a\r\n    b"},
                                           {L"a\rb\n", "a\r\n    b\r\n    "}}) {
        EXPECT_EQ(FormatLogEntry({}, c.text),
                  std::string("0000-00-00 00:00:00.000 ") + c.logged + "\r\n")
            << c.logged;
    }
}

TEST(LaunchLog, TextIsUtf8AndALoneSurrogateIsReplaced) {
    EXPECT_EQ(Utf8FromText(L"\u9519\u8BEF"), "\xE9\x94\x99\xE8\xAF\xAF"); // 错误
    EXPECT_EQ(Utf8FromText(L"\u00E9"), "\xC3\xA9");
    if constexpr (sizeof(wchar_t) == 2) {
        const wchar_t pair[] = {0xD83D, 0xDE00, 0};
        EXPECT_EQ(Utf8FromText(pair), "\xF0\x9F\x98\x80");
        const wchar_t lone[] = {L'a', 0xD83D, L'b', 0};
        EXPECT_EQ(Utf8FromText(lone), "a\xEF\xBF\xBD"
                                      "b");
    } else {
        EXPECT_EQ(Utf8FromText(std::wstring(1, static_cast<wchar_t>(0x1F600))), "\xF0\x9F\x98\x80");
    }
}

} // namespace
} // namespace qv
