// The launcher's templates given a menu: what the dialog manager reads of the copy.
#include "ui/dialog_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Word(Bytes& bytes, std::uint16_t word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

void Text(Bytes& bytes, const std::u16string& text) {
    for (char16_t c : text)
        Word(bytes, static_cast<std::uint16_t>(c));
    Word(bytes, 0);
}

std::uint16_t WordAt(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

// An extended template as the resource compiler writes it: the header with no menu, the class
// and the title, the font when asked for, then the controls from the next four-byte boundary.
struct Template {
    Bytes bytes;
    std::size_t headerEnd = 0;
    std::size_t controls = 0;
};

Template MakeTemplate(const std::u16string& title, bool font, const Bytes& controls) {
    Template made;
    Bytes& b = made.bytes;
    Word(b, 1);
    Word(b, 0xFFFF);
    for (std::uint16_t word : {0, 0, 0, 0}) // help id, extended style
        Word(b, word);
    Word(b, font ? 0x40 : 0); // style: DS_SETFONT
    Word(b, 0x8000);          // WS_POPUP
    Word(b, 1);               // one control
    for (std::uint16_t word : {0, 0, 252, 188})
        Word(b, word);
    Word(b, 0); // no menu
    Word(b, 0); // the dialog class
    Text(b, title);
    if (font) {
        for (std::uint16_t word : {8, 400, 0x0100}) // points, weight, italic and character set
            Word(b, word);
        Text(b, u"MS Shell Dlg");
    }
    made.headerEnd = b.size();
    b.resize((b.size() + 3) / 4 * 4, 0);
    made.controls = b.size();
    b.insert(b.end(), controls.begin(), controls.end());
    return made;
}

const Bytes SomeControl{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// Titles of both parities: the header's end moves by the menu's two more bytes, so the
// controls' padding is added in one case and dropped in the other.
TEST(DialogTemplate, MenuIsNamedAndControlsStayOnTheirBoundary) {
    for (const std::u16string& title : {std::u16string(u"Quorvex"), std::u16string(u"Quorvex!")})
        for (bool font : {true, false}) {
            const Template original = MakeTemplate(title, font, SomeControl);
            const Bytes copy = TemplateWithMenu(original.bytes.data(), original.bytes.size(), 129);
            ASSERT_FALSE(copy.empty());
            EXPECT_EQ(WordAt(copy, 26), 0xFFFF);
            EXPECT_EQ(WordAt(copy, 28), 129);
            // Everything else of the header follows unchanged.
            EXPECT_TRUE(
                std::equal(original.bytes.begin(), original.bytes.begin() + 26, copy.begin()));
            EXPECT_TRUE(std::equal(original.bytes.begin() + 28,
                                   original.bytes.begin() + original.headerEnd, copy.begin() + 30));
            const std::size_t controls = (original.headerEnd + 2 + 3) / 4 * 4;
            ASSERT_EQ(copy.size(), controls + SomeControl.size());
            EXPECT_EQ(Bytes(copy.begin() + controls, copy.end()), SomeControl);
        }
}

TEST(DialogTemplate, WithoutControlsTheCopyEndsAfterItsHeader) {
    const Template original = MakeTemplate(u"Quorvex", true, {});
    const Bytes copy = TemplateWithMenu(original.bytes.data(), original.headerEnd, 7);
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(WordAt(copy, 28), 7);
    EXPECT_EQ(copy.size() % 4, 0u);
}

TEST(DialogTemplate, ATemplateItCannotReadWhollyIsNotCopied) {
    const Template original = MakeTemplate(u"Quorvex", true, SomeControl);
    // Every cut inside the header.
    for (std::size_t size = 0; size < original.headerEnd; ++size)
        EXPECT_TRUE(TemplateWithMenu(original.bytes.data(), size, 7).empty()) << size;
    Bytes withMenu = original.bytes;
    withMenu[26] = 0xFF;
    withMenu[27] = 0xFF;
    EXPECT_TRUE(TemplateWithMenu(withMenu.data(), withMenu.size(), 7).empty());
    Bytes classic = original.bytes; // a DLGTEMPLATE starts with its style
    classic[2] = 0;
    EXPECT_TRUE(TemplateWithMenu(classic.data(), classic.size(), 7).empty());
    // The positive control: the whole template is copied.
    EXPECT_FALSE(TemplateWithMenu(original.bytes.data(), original.bytes.size(), 7).empty());
}

} // namespace
} // namespace qv
