// A dialog template given a menu: whatever the bytes, the copy is empty or names the menu and
// keeps the bytes after the header.
#include "fuzz_input.h"
#include "ui/dialog_template.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> copy = qv::TemplateWithMenu(data, size, 0x1234);
    if (copy.empty()) return 0;
    QV_FUZZ_CHECK(copy.size() >= 30);
    QV_FUZZ_CHECK(copy[26] == 0xFF && copy[27] == 0xFF && copy[28] == 0x34 && copy[29] == 0x12);
    QV_FUZZ_CHECK(std::equal(data, data + 26, copy.begin()));
    // Only the padding before the controls may go; the controls themselves all stay.
    QV_FUZZ_CHECK(copy.size() + 1 >= size);
    return 0;
}
