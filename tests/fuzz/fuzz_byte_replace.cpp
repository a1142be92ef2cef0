// The byte search and replacement over a library's bytes, fed in pieces of any size: checked
// against a plain one-byte-at-a-time reading of the same rule.
#include "fuzz_input.h"
#include "launch/couplings/byte_replace.h"

#include <algorithm>
#include <cstring>

namespace {

using qv::Bytes;

// The rule read literally: at each place either an occurrence (replaced, then skipped) or one
// byte copied.
Bytes Expected(const Bytes& data, const Bytes& from, const Bytes& to, std::size_t& count) {
    Bytes out;
    count = 0;
    for (std::size_t i = 0; i < data.size();) {
        if (!from.empty() && data.size() - i >= from.size() &&
            std::equal(from.begin(), from.end(), data.begin() + static_cast<std::ptrdiff_t>(i))) {
            out.insert(out.end(), to.begin(), to.end());
            i += from.size();
            ++count;
        } else {
            out.push_back(data[i++]);
        }
    }
    return out;
}

} // namespace

// Layout: pattern length, replacement length, piece size, alphabet, then the pattern, the
// replacement and the data. A small alphabet makes occurrences and near misses common.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::size_t fromSize = data[0] % 20, toSize = data[1] % 20;
    const std::size_t piece = 1 + data[2] % 64;
    const std::uint8_t alphabet = data[3];
    data += 4;
    size -= 4;
    const auto take = [&](std::size_t count) {
        count = std::min(count, size);
        Bytes bytes(data, data + count);
        for (auto& b : bytes)
            if (alphabet != 0) b %= alphabet;
        data += count;
        size -= count;
        return bytes;
    };
    const Bytes from = take(fromSize), to = take(toSize), input = take(size);

    std::size_t count = 0;
    const Bytes expected = Expected(input, from, to, count);
    Bytes out;
    qv::ByteStringReplacer replacer(from, to, [&out](const std::uint8_t* bytes, std::size_t n) {
        QV_FUZZ_CHECK(n > 0);
        out.insert(out.end(), bytes, bytes + n);
        return true;
    });
    qv::ByteStringFinder finder(from);
    for (std::size_t at = 0; at < input.size(); at += piece) {
        const std::size_t n = std::min(piece, input.size() - at);
        QV_FUZZ_CHECK(replacer.Feed(input.data() + at, n));
        finder.Feed(input.data() + at, n);
    }
    QV_FUZZ_CHECK(replacer.Finish());
    QV_FUZZ_CHECK(out == expected);
    QV_FUZZ_CHECK(replacer.Replacements() == count);
    QV_FUZZ_CHECK(finder.Found() == (count > 0));
    QV_FUZZ_CHECK(qv::ReplaceBytes(input, from, to) == expected);
    QV_FUZZ_CHECK(qv::ContainsBytes(input, from) == (count > 0));
    // Names of equal length keep the library's size.
    if (from.size() == to.size()) QV_FUZZ_CHECK(out.size() == input.size());
    return 0;
}
