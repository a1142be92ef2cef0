#include "base/text.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace qv {
namespace {

TEST(Text, TrimRemovesEveryKindOfBlankAtBothEndsOnly) {
    EXPECT_EQ(Trim(L" \t\r\n\v\f True \r\n"), L"True");
    EXPECT_EQ(Trim(L"a b"), L"a b");
    EXPECT_EQ(Trim(L" \t "), L"");
}

TEST(Text, TrailingSeparatorsGoRepeatedlyLeadingOnesStay) {
    EXPECT_EQ(TrimTrailingSeparators(L"C:\\A\\\\/"), L"C:\\A");
    EXPECT_EQ(TrimTrailingSeparators(L"\\\\server\\x"), L"\\\\server\\x");
    EXPECT_EQ(TrimTrailingSeparators(L"\\/"), L"");
}

TEST(Text, LeadingIntegerReadsLikeTheCRuntime) {
    struct Case {
        const wchar_t* text;
        long value;
    };
    for (const Case& c :
         std::vector<Case>{{L"2019 R1", 2019},
                           {L"19.2.0", 19},
                           {L"Not found", 0},
                           {L"  -12x", -12},
                           {L"+7", 7},
                           {L"", 0},
                           {L"- 3", 0},
                           {L"99999999999999999999", std::numeric_limits<long>::max()}})
        EXPECT_EQ(ReadLeadingInt(c.text), c.value) << c.text;
}

TEST(Text, LeadingDoubleEqualsTheDecimalLiteral) {
    // Thresholds are compared against these exact doubles.
    EXPECT_EQ(ReadLeadingDouble(L"19.3"), 19.3);
    EXPECT_EQ(ReadLeadingDouble(L"21.1"), 21.1);
    EXPECT_EQ(ReadLeadingDouble(L"6.3"), 6.3);
    EXPECT_EQ(ReadLeadingDouble(L" 22.2abc"), 22.2);
    EXPECT_EQ(ReadLeadingDouble(L"Fluent19.3"), 0.0);
    EXPECT_EQ(ReadLeadingDouble(L"."), 0.0);
    // Too large for a double: infinity, as the C runtime reads it.
    EXPECT_EQ(ReadLeadingDouble(std::wstring(400, L'9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingDouble(L"-" + std::wstring(400, L'9')),
              -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingDouble(L"0." + std::wstring(400, L'0') + L"1"), 0.0);
}

TEST(Text, UnsignedParseAcceptsOnlyAWholeDecimalNumber) {
    struct Case {
        const wchar_t* text;
        bool ok;
        std::uint32_t value;
    };
    for (const Case& c : std::vector<Case>{{L"1", true, 1},
                                           {L"999", true, 999},
                                           {L"1000", true, 1000},
                                           {L" 42 ", true, 42},
                                           {L"0", true, 0},
                                           {L"4294967295", true, 4294967295u},
                                           {L"4294967296", false, 0},
                                           {L"", false, 0},
                                           {L"-1", false, 0},
                                           {L"12a", false, 0},
                                           {L"+5", false, 0},
                                           {L"   ", false, 0}}) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseUnsigned(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(Text, FormatFillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatText(L"%c:\\Program Files\\ANSYS Inc\\v%s\\fluent", {L"D", L"193"}),
              L"D:\\Program Files\\ANSYS Inc\\v193\\fluent");
    EXPECT_EQ(FormatText(L"%s 2d -t%d", {L"x.exe", L"8"}), L"x.exe 2d -t8");
    EXPECT_EQ(FormatText(L"100%% %03d|%s", {L"7"}), L"100% 7|");
}

TEST(Text, Utf16BytesStopAtNulAndDropAnOddByte) {
    const std::uint8_t terminated[] = {'a', 0, 'b', 0, 0, 0, 'c', 0};
    EXPECT_EQ(TextFromUtf16Bytes(terminated, sizeof terminated), L"ab");
    const std::uint8_t unterminated[] = {'a', 0, 'b', 0};
    EXPECT_EQ(TextFromUtf16Bytes(unterminated, sizeof unterminated), L"ab");
    const std::uint8_t odd[] = {'a', 0, 'b', 0, 'c'};
    EXPECT_EQ(TextFromUtf16Bytes(odd, sizeof odd), L"ab");
    const std::uint8_t chinese[] = {0x2D, 0x4E, 0x87, 0x65}; // 中文
    EXPECT_EQ(TextFromUtf16Bytes(chinese, sizeof chinese), L"中文");
    EXPECT_EQ(TextFromUtf16Bytes(nullptr, 0), L"");
}

TEST(Text, Utf16BytesRoundTrip) {
    const std::wstring text = L"Software\\中文 \U0001F600";
    const auto bytes = Utf16BytesFromText(text);
    EXPECT_EQ(bytes.size() % 2, 0u);
    EXPECT_EQ(TextFromUtf16Bytes(bytes.data(), bytes.size()), text);
    EXPECT_TRUE(Utf16BytesFromText(L"").empty());
}

} // namespace
} // namespace qv
