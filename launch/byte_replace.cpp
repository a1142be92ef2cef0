#include "launch/byte_replace.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace qv {

namespace {

// Where the pattern next occurs in [first, data.end()), or data.size().
std::size_t FindFrom(const Bytes& data, std::size_t first, const Bytes& pattern) {
    const auto at = std::search(data.begin() + static_cast<std::ptrdiff_t>(first), data.end(),
                                std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
    return static_cast<std::size_t>(at - data.begin());
}

// With no occurrence starting at or after first, only the last pattern length - 1 bytes may
// still begin one once more data arrives.
std::size_t SettledEnd(const Bytes& data, std::size_t first, std::size_t patternSize) {
    return std::max(first, data.size() - std::min(data.size(), patternSize - 1));
}

void Append(Bytes& out, const Bytes& data, std::size_t first, std::size_t last) {
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(first),
               data.begin() + static_cast<std::ptrdiff_t>(last));
}

} // namespace

ByteStringFinder::ByteStringFinder(Bytes pattern) : pattern_(std::move(pattern)) {}

bool ByteStringFinder::Feed(const std::uint8_t* data, std::size_t size) {
    if (found_ || pattern_.empty() || size == 0) return found_;
    window_.insert(window_.end(), data, data + size);
    if (FindFrom(window_, 0, pattern_) < window_.size()) {
        found_ = true;
        window_.clear();
        return true;
    }
    window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(
                                                         SettledEnd(window_, 0, pattern_.size())));
    return false;
}

ByteStringReplacer::ByteStringReplacer(Bytes from, Bytes to)
    : from_(std::move(from)), to_(std::move(to)) {}

void ByteStringReplacer::Feed(const std::uint8_t* data, std::size_t size, Bytes& out) {
    if (from_.empty()) {
        out.insert(out.end(), data, data + size);
        return;
    }
    pending_.insert(pending_.end(), data, data + size);
    std::size_t done = 0;
    for (std::size_t at = FindFrom(pending_, done, from_); at < pending_.size();
         at = FindFrom(pending_, done, from_)) {
        Append(out, pending_, done, at);
        out.insert(out.end(), to_.begin(), to_.end());
        done = at + from_.size();
        ++replacements_;
    }
    const std::size_t settled = SettledEnd(pending_, done, from_.size());
    Append(out, pending_, done, settled);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(settled));
}

void ByteStringReplacer::Finish(Bytes& out) {
    out.insert(out.end(), pending_.begin(), pending_.end());
    pending_.clear();
}

bool ContainsBytes(const Bytes& data, const Bytes& pattern) {
    ByteStringFinder finder(pattern);
    return finder.Feed(data.data(), data.size());
}

Bytes ReplaceBytes(const Bytes& data, const Bytes& from, const Bytes& to) {
    ByteStringReplacer replacer(from, to);
    Bytes out;
    replacer.Feed(data.data(), data.size(), out);
    replacer.Finish(out);
    return out;
}

} // namespace qv
