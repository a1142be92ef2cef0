// Searching and replacing a byte string in data that arrives in pieces, so that a file of any
// size is handled with memory for one piece. Pure: the file handling is elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

using Bytes = std::vector<std::uint8_t>;

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
    Bytes window_; // the kept tail of earlier pieces, then the new piece
    bool found_ = false;
};

// Replaces every occurrence of one byte string by another in data fed piece by piece, scanning
// from the start: each replacement goes on after the bytes it replaced, so occurrences never
// overlap. Bytes are handed out as soon as no later piece can change them; Finish hands out the
// rest. An empty pattern replaces nothing.
class ByteStringReplacer {
  public:
    ByteStringReplacer(Bytes from, Bytes to);
    // Appends the settled output to out.
    void Feed(const std::uint8_t* data, std::size_t size, Bytes& out);
    void Finish(Bytes& out);
    std::size_t Replacements() const { return replacements_; }

  private:
    Bytes from_, to_;
    Bytes pending_; // input that may still begin an occurrence
    std::size_t replacements_ = 0;
};

// The same on one buffer.
bool ContainsBytes(const Bytes& data, const Bytes& pattern);
Bytes ReplaceBytes(const Bytes& data, const Bytes& from, const Bytes& to);

} // namespace qv
