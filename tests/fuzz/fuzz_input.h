// How a fuzz target reads its bytes: a few small numbers from the front, then texts decoded so
// that short inputs reach every kind of wide character the launcher can meet. Pure, like the
// code it feeds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A property the code promises; libFuzzer keeps the input that breaks it.
#define QV_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace qv::fuzz {

// Text decoding, one character at a time:
//   a byte below 0x80 is that character, NUL included;
//   a byte from 0x80 to 0xFE is followed by one UTF-16 unit, little-endian (Latin, CJK,
//   lone surrogates and U+FFFF alike);
//   0xFF is followed by three bytes giving a character beyond U+FFFF, held as a surrogate pair
//   where wchar_t has 16 bits.
// A character U+001F ends a text, so one input can carry several.
class FuzzInput {
  public:
    static constexpr wchar_t TextSeparator = 0x1F;

    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ == size_; }

    // The next byte; 0 once the input is used up.
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // The next text, up to the separator or the end.
    std::wstring Text() {
        std::wstring text;
        while (!Empty()) {
            const std::uint32_t c = NextCharacter();
            if (c == TextSeparator) break;
            Append(text, c);
        }
        return text;
    }

    // Every remaining text.
    std::vector<std::wstring> Texts() {
        std::vector<std::wstring> texts;
        while (!Empty())
            texts.push_back(Text());
        return texts;
    }

  private:
    std::uint32_t NextCharacter() {
        const std::uint8_t lead = Byte();
        if (lead < 0x80) return lead;
        if (lead < 0xFF) return LittleEndian(2);
        return 0x10000 + LittleEndian(3) % 0x100000;
    }

    std::uint32_t LittleEndian(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint32_t{Byte()} << (8 * i);
        return value;
    }

    static void Append(std::wstring& text, std::uint32_t c) {
        if (c > 0xFFFF && sizeof(wchar_t) == 2) {
            text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(c);
        }
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace qv::fuzz
