// Searching and replacing a byte string in data that arrives in pieces, so that a file of any
// size is handled with memory for one piece and without copying it around. Pure: the file
// handling is elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace qv {

using Bytes = std::vector<std::uint8_t>;

// Where output goes, in order, piece by piece; false stops the work.
using ByteSink = std::function<bool(const std::uint8_t* data, std::size_t size)>;

// Tells whether a byte string occurs in data fed piece by piece; an occurrence may straddle
// pieces. An empty pattern is never found.
class ByteStringFinder {
  public:
    explicit ByteStringFinder(Bytes pattern);
    // True once the pattern has occurred in what was fed so far.
    bool Feed(const std::uint8_t* data, std::size_t size);
    bool Found() const { return found_; }

  private:
    Bytes pattern_;
    Bytes kept_; // the end of earlier pieces, shorter than the pattern
    bool found_ = false;
};

// Replaces every occurrence of one byte string by another in data fed piece by piece, scanning
// from the start: each replacement goes on after the bytes it replaced, so occurrences never
// overlap. Bytes go to the sink as soon as no later piece can change them, mostly straight from
// the piece fed; Finish hands over the rest. An empty pattern replaces nothing.
class ByteStringReplacer {
  public:
    ByteStringReplacer(Bytes from, Bytes to, ByteSink sink);
    // False when the sink refused.
    bool Feed(const std::uint8_t* data, std::size_t size);
    bool Finish();
    std::size_t Replacements() const { return replacements_; }

  private:
    bool Emit(const std::uint8_t* data, std::size_t size);
    bool EmitReplacement();
    bool ScanKept();

    Bytes from_, to_;
    ByteSink sink_;
    Bytes kept_; // the end of earlier pieces that may still begin an occurrence
    std::size_t replacements_ = 0;
};

// The same on one buffer.
bool ContainsBytes(const Bytes& data, const Bytes& pattern);
Bytes ReplaceBytes(const Bytes& data, const Bytes& from, const Bytes& to);

} // namespace qv
