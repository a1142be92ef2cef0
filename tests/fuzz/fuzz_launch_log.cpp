// Log entries made of texts from outside: paths, messages, the system's error texts.
#include "base/launch_log.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    const std::string entry = qv::FormatLogEntry({2026, 12, 10, 9, 8, 7, 6}, text);
    // Every line of an entry but the first is indented, and the entry ends with a line end.
    QV_FUZZ_CHECK(entry.size() >= 2 && entry.compare(entry.size() - 2, 2, "\r\n") == 0);
    for (std::size_t at = entry.find('\n'); at + 1 < entry.size(); at = entry.find('\n', at + 1))
        QV_FUZZ_CHECK(entry.compare(at + 1, 4, "    ") == 0);
    for (std::size_t i = 0; i + 1 < entry.size(); ++i)
        if (entry[i] == '\r') QV_FUZZ_CHECK(entry[i + 1] == '\n');
    return 0;
}
