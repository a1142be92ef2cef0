// UTF-16 little-endian bytes (registry data, environment blocks) to text and back.
#include "base/text.h"
#include "fuzz_input.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = qv::TextFromUtf16Bytes(data, size);
    QV_FUZZ_CHECK(text.find(L'\0') == std::wstring::npos);

    // Encoding gives back exactly the units before the first NUL unit, unpaired surrogates
    // included, whatever the width of wchar_t.
    std::size_t units = 0;
    while (units < size / 2 && (data[2 * units] | data[2 * units + 1]) != 0)
        ++units;
    const std::vector<std::uint8_t> bytes = qv::Utf16BytesFromText(text);
    QV_FUZZ_CHECK(bytes.size() == 2 * units);
    QV_FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), data));
    return 0;
}
