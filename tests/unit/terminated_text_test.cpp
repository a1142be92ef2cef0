#include "base/terminated_text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace qv {
namespace {

// Around the stack buffer's size the text moves to the heap; either way it reads the same and
// ends where the view ends, not where the viewed text does.
TEST(TerminatedText, HoldsExactlyTheViewAtEveryLength) {
    for (const std::size_t length : {0u, 1u, 258u, 259u, 260u, 261u, 5000u}) {
        const std::wstring text(length, L'x');
        const std::wstring longer = text + L"tail";
        const TerminatedText terminated(std::wstring_view(longer).substr(0, length));
        EXPECT_EQ(std::wcslen(terminated.c_str()), length) << length;
        EXPECT_EQ(terminated.c_str(), text) << length;
    }
}

TEST(TerminatedText, JoinsItsPartsOnTheStackAndOnTheHeap) {
    EXPECT_STREQ(TerminatedText({L"C:\\A", L"\\", L"fluent*.*.*"}).c_str(), L"C:\\A\\fluent*.*.*");
    EXPECT_STREQ(TerminatedText({L"", L""}).c_str(), L"");
    const std::wstring folder(255, L'f');
    for (const wchar_t* pattern : {L"*", L"**", L"*.*.*"})
        EXPECT_EQ(TerminatedText({folder, L"\\", pattern}).c_str(), folder + L"\\" + pattern)
            << pattern;
}

} // namespace
} // namespace qv
