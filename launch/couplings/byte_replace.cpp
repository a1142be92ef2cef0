#include "launch/couplings/byte_replace.h"

#include <algorithm>
#include <utility>

namespace qv {

namespace {

// Where the pattern next occurs in [data + first, data + size), or size.
std::size_t FindFrom(const std::uint8_t* data, std::size_t size, std::size_t first,
                     const Bytes& pattern) {
    const std::uint8_t* at =
        std::search(data + first, data + size,
                    std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
    return static_cast<std::size_t>(at - data);
}

// With no occurrence starting at or after first, only the last pattern length - 1 bytes may
// still begin one once more data arrives.
std::size_t SettledEnd(std::size_t size, std::size_t first, std::size_t patternSize) {
    return std::max(first, size - std::min(size, patternSize - 1));
}

} // namespace

ByteStringFinder::ByteStringFinder(Bytes pattern) : pattern_(std::move(pattern)) {}

bool ByteStringFinder::Feed(const std::uint8_t* data, std::size_t size) {
    if (found_ || pattern_.empty() || size == 0) return found_;
    // An occurrence that begins in the kept bytes ends within the piece's first bytes.
    kept_.insert(kept_.end(), data, data + std::min(size, pattern_.size() - 1));
    found_ = FindFrom(kept_.data(), kept_.size(), 0, pattern_) < kept_.size() ||
             FindFrom(data, size, 0, pattern_) < size;
    if (size < pattern_.size() - 1) {
        kept_.erase(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(SettledEnd(
                                                       kept_.size(), 0, pattern_.size())));
    } else {
        kept_.assign(data + SettledEnd(size, 0, pattern_.size()), data + size);
    }
    return found_;
}

ByteStringReplacer::ByteStringReplacer(Bytes from, Bytes to, ByteSink sink)
    : from_(std::move(from)), to_(std::move(to)), sink_(std::move(sink)) {}

bool ByteStringReplacer::Emit(const std::uint8_t* data, std::size_t size) {
    return size == 0 || sink_(data, size);
}

bool ByteStringReplacer::EmitReplacement() {
    ++replacements_;
    return Emit(to_.data(), to_.size());
}

// Replaces in the kept bytes alone and hands over what is settled.
bool ByteStringReplacer::ScanKept() {
    std::size_t done = 0;
    for (std::size_t at = FindFrom(kept_.data(), kept_.size(), done, from_); at < kept_.size();
         at = FindFrom(kept_.data(), kept_.size(), done, from_)) {
        if (!Emit(kept_.data() + done, at - done) || !EmitReplacement()) return false;
        done = at + from_.size();
    }
    const std::size_t settled = SettledEnd(kept_.size(), done, from_.size());
    const bool emitted = Emit(kept_.data() + done, settled - done);
    kept_.erase(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(settled));
    return emitted;
}

bool ByteStringReplacer::Feed(const std::uint8_t* data, std::size_t size) {
    if (from_.empty()) return Emit(data, size);
    const std::size_t reach = from_.size() - 1;
    if (size < reach) {
        // Too short to settle the kept bytes: they are few, so join and scan them.
        kept_.insert(kept_.end(), data, data + size);
        return ScanKept();
    }
    // At most one occurrence begins in the kept bytes, and it ends within the piece's first
    // reach bytes; the rest is scanned where it lies.
    std::size_t done = 0;
    if (!kept_.empty()) {
        const std::size_t keptSize = kept_.size();
        kept_.insert(kept_.end(), data, data + reach);
        const std::size_t at = FindFrom(kept_.data(), kept_.size(), 0, from_);
        const bool begins = at < keptSize;
        if (!Emit(kept_.data(), begins ? at : keptSize) || (begins && !EmitReplacement()))
            return false;
        if (begins) done = at + from_.size() - keptSize;
        kept_.clear();
    }
    for (std::size_t at = FindFrom(data, size, done, from_); at < size;
         at = FindFrom(data, size, done, from_)) {
        if (!Emit(data + done, at - done) || !EmitReplacement()) return false;
        done = at + from_.size();
    }
    const std::size_t settled = SettledEnd(size, done, from_.size());
    kept_.assign(data + settled, data + size);
    return Emit(data + done, settled - done);
}

bool ByteStringReplacer::Finish() {
    const bool emitted = Emit(kept_.data(), kept_.size());
    kept_.clear();
    return emitted;
}

bool ContainsBytes(const Bytes& data, const Bytes& pattern) {
    ByteStringFinder finder(pattern);
    return finder.Feed(data.data(), data.size());
}

Bytes ReplaceBytes(const Bytes& data, const Bytes& from, const Bytes& to) {
    Bytes out;
    ByteStringReplacer replacer(from, to, [&out](const std::uint8_t* bytes, std::size_t size) {
        out.insert(out.end(), bytes, bytes + size);
        return true;
    });
    replacer.Feed(data.data(), data.size());
    replacer.Finish();
    return out;
}

} // namespace qv
