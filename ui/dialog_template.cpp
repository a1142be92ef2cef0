#include "ui/dialog_template.h"

namespace qv {

namespace {

// DLGTEMPLATEEX: dlgVer 1 and signature 0xFFFF, then help id, extended style and style, the
// control count and the rectangle; the menu follows at byte 26, then the window class, the title
// and, with DS_SETFONT, the font.
constexpr std::size_t StyleOffset = 12;
constexpr std::size_t MenuOffset = 26;
constexpr std::uint32_t SetFontStyle = 0x40; // DS_SETFONT
constexpr std::size_t FontFixedBytes = 6;    // point size, weight, italic, character set
constexpr std::uint16_t OrdinalMark = 0xFFFF;

class TemplateReader {
  public:
    TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Has(std::size_t offset, std::size_t bytes) const {
        return offset <= size_ && bytes <= size_ - offset;
    }
    std::uint16_t Word(std::size_t offset) const {
        return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
    }
    std::uint32_t DoubleWord(std::size_t offset) const {
        return static_cast<std::uint32_t>(Word(offset)) |
               static_cast<std::uint32_t>(Word(offset + 2)) << 16;
    }
    // The bytes of the zero-terminated UTF-16 text at offset, terminator included; 0 when it
    // runs past the end.
    std::size_t TextBytes(std::size_t offset) const {
        for (std::size_t at = offset; Has(at, 2); at += 2)
            if (Word(at) == 0) return at + 2 - offset;
        return 0;
    }
    // The bytes of a name or an ordinal: 0x0000 alone, 0xFFFF and a number, or a text.
    std::size_t NameOrOrdinalBytes(std::size_t offset) const {
        if (!Has(offset, 2)) return 0;
        if (Word(offset) == 0) return 2;
        if (Word(offset) == OrdinalMark) return Has(offset, 4) ? 4 : 0;
        return TextBytes(offset);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

std::size_t ToFourBytes(std::size_t offset) {
    return (offset + 3) & ~static_cast<std::size_t>(3);
}

void AppendWord(std::vector<std::uint8_t>& bytes, std::uint16_t word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

} // namespace

std::vector<std::uint8_t> TemplateWithMenu(const std::uint8_t* data, std::size_t size,
                                           std::uint16_t menuId) {
    const TemplateReader reader(data, size);
    if (!reader.Has(0, MenuOffset + 2) || reader.Word(0) != 1 || reader.Word(2) != OrdinalMark ||
        reader.Word(MenuOffset) != 0)
        return {};
    std::size_t end = MenuOffset + 2;
    const std::size_t windowClass = reader.NameOrOrdinalBytes(end);
    if (windowClass == 0) return {};
    end += windowClass;
    const std::size_t title = reader.TextBytes(end);
    if (title == 0) return {};
    end += title;
    if (reader.DoubleWord(StyleOffset) & SetFontStyle) {
        if (!reader.Has(end, FontFixedBytes)) return {};
        end += FontFixedBytes;
        const std::size_t typeface = reader.TextBytes(end);
        if (typeface == 0) return {};
        end += typeface;
    }
    // A template without controls may end before the boundary.
    const std::size_t controls = ToFourBytes(end) < size ? ToFourBytes(end) : size;

    std::vector<std::uint8_t> result(data, data + MenuOffset);
    AppendWord(result, OrdinalMark);
    AppendWord(result, menuId);
    result.insert(result.end(), data + MenuOffset + 2, data + end);
    result.resize(ToFourBytes(result.size()), 0);
    result.insert(result.end(), data + controls, data + size);
    return result;
}

} // namespace qv
