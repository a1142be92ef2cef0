// Record values written by the stand-ins read back exactly, also when they hold what the escaping
// itself uses.
#include "tests/fakes/fake_record.h"

#include <gtest/gtest.h>

namespace qv::fake {
namespace {

TEST(FakeRecord, ValuesSurviveEscapingOnOneLine) {
    for (const std::wstring value : {L"", L"C:\\Q uorvex\\loader.scm", L"100%", L"%0A literal",
                                     L"%25%", L"two\r\nlines\n", L"%", L"a%0"}) {
        const std::wstring escaped = EscapeRecordValue(value);
        EXPECT_EQ(escaped.find_first_of(L"\r\n"), std::wstring::npos) << escaped;
        EXPECT_EQ(UnescapeRecordValue(escaped), value);
    }
}

} // namespace
} // namespace qv::fake
