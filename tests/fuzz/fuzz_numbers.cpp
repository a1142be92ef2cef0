// Leading numbers and whole unsigned numbers, as read from registry values, files and the
// version texts of folder names.
#include "base/text.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The digits of a text as a number prints them: leading zeros gone, "0" for zeros only.
std::wstring CanonicalDigits(const std::wstring& digits) {
    const std::size_t first = digits.find_first_not_of(L'0');
    return first == std::wstring::npos ? L"0" : digits.substr(first);
}

void CheckParseUnsigned(const std::wstring& text) {
    const std::wstring trimmed = qv::Trim(text);
    const bool allDigits = !trimmed.empty() && std::all_of(trimmed.begin(), trimmed.end(), IsDigit);
    std::uint32_t value = 0;
    if (!qv::ParseUnsigned(text, value)) {
        // Only a text that is not a number, or one beyond 32 bits, is refused.
        QV_FUZZ_CHECK(!allDigits || CanonicalDigits(trimmed).size() >= 10);
        return;
    }
    QV_FUZZ_CHECK(allDigits);
    QV_FUZZ_CHECK(std::to_wstring(value) == CanonicalDigits(trimmed));
    // The leading-number readers agree on a plain number.
    if (std::uint64_t{value} <= std::uint64_t{std::numeric_limits<long>::max()})
        QV_FUZZ_CHECK(qv::ReadLeadingInt(text) == static_cast<long>(value));
    QV_FUZZ_CHECK(qv::ReadLeadingDouble(text) == static_cast<double>(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    CheckParseUnsigned(text);
    (void)qv::ReadLeadingInt(text);
    QV_FUZZ_CHECK(!std::isnan(qv::ReadLeadingDouble(text)));
    return 0;
}
