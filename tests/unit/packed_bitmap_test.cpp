// Bitmap resources read from their bytes: both row orders, 24-bit and 32-bit pixels, rows padded
// to four bytes, and every kind of bitmap the pictures cannot be refused.
#include "ui/packed_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// A BITMAPINFOHEADER and zeroed rows for them.
Bytes Bitmap(std::int32_t width, std::int32_t height, std::uint16_t bits) {
    const std::size_t rowBytes = (std::size_t(width > 0 ? width : 0) * bits / 8 + 3) / 4 * 4;
    const std::size_t rows = std::size_t(height < 0 ? -std::int64_t{height} : height);
    Bytes bytes(BitmapHeaderSize + rowBytes * rows, 0);
    Put32(bytes, 0, BitmapHeaderSize);
    Put32(bytes, 4, static_cast<std::uint32_t>(width));
    Put32(bytes, 8, static_cast<std::uint32_t>(height));
    Put16(bytes, 12, 1);
    Put16(bytes, 14, bits);
    return bytes;
}

std::optional<PackedBitmap> Read(const Bytes& bytes) {
    return ReadPackedBitmap(bytes.data(), bytes.size());
}

TEST(PackedBitmap, ReadsBothRowOrdersAndPadding) {
    // 3 pixels of 24 bits: 9 bytes a row, padded to 12.
    Bytes bottomUp = Bitmap(3, 2, 24);
    auto layout = Read(bottomUp);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 3);
    EXPECT_EQ(layout->height, 2);
    EXPECT_EQ(layout->rowBytes, 12u);
    EXPECT_EQ(layout->pixelsAt, BitmapHeaderSize);
    EXPECT_FALSE(layout->topDown);
    // The stored first row is the bottom one: blue, then the top row: red at its last pixel.
    bottomUp[BitmapHeaderSize + 0] = 0xFF;
    bottomUp[BitmapHeaderSize + 12 + 8] = 0xFF;
    Pixels pixels = PixelsOf(bottomUp.data(), *layout);
    ASSERT_EQ(pixels.argb.size(), 6u);
    EXPECT_EQ(pixels.argb[2], 0xFFFF0000u); // top row, last pixel: red, opaque
    EXPECT_EQ(pixels.argb[3], 0xFF0000FFu); // bottom row, first pixel: blue
    EXPECT_EQ(pixels.argb[0], 0xFF000000u);

    Bytes topDown = Bitmap(2, -2, 32);
    layout = Read(topDown);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->topDown);
    EXPECT_EQ(layout->height, 2);
    EXPECT_EQ(layout->rowBytes, 8u);
    const std::uint8_t halfGreen[] = {0x00, 0x80, 0x00, 0x80};
    std::copy(std::begin(halfGreen), std::end(halfGreen), topDown.begin() + BitmapHeaderSize);
    pixels = PixelsOf(topDown.data(), *layout);
    EXPECT_EQ(pixels.argb[0], 0x80008000u); // the first stored row is the top one
    EXPECT_EQ(pixels.argb[3], 0u);          // transparent
}

// A colour above its alpha is no premultiplied colour: it is cut to the alpha.
TEST(PackedBitmap, ColoursAreKeptWithinTheirAlpha) {
    Bytes bytes = Bitmap(1, 1, 32);
    const std::uint8_t tooBright[] = {0xFF, 0x20, 0x90, 0x40};
    std::copy(std::begin(tooBright), std::end(tooBright), bytes.begin() + BitmapHeaderSize);
    const auto layout = Read(bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(PixelsOf(bytes.data(), *layout).argb[0], 0x40402040u);
}

// A colour table, as a resource compiler may leave even for 24-bit pixels, moves the rows on.
TEST(PackedBitmap, RowsFollowTheColourTable) {
    Bytes bytes = Bitmap(1, 1, 24);
    Put32(bytes, 32, 2);
    bytes.insert(bytes.begin() + BitmapHeaderSize, 8, 0xEE);
    const auto layout = Read(bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->pixelsAt, BitmapHeaderSize + 8);
    EXPECT_EQ(PixelsOf(bytes.data(), *layout).argb[0], 0xFF000000u);
}

TEST(PackedBitmap, RefusesWhatThePicturesCannotBe) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases{
        {"8-bit", Bitmap(4, 4, 8)},
        {"16-bit", Bitmap(4, 4, 16)},
        {"no width", Bitmap(0, 4, 24)},
        {"negative width", Bitmap(-4, 4, 24)},
        {"no height", Bitmap(4, 0, 24)},
        {"too wide", Bitmap(LargestBitmapSide + 1, 1, 24)},
        {"too tall", Bitmap(1, -(LargestBitmapSide + 1), 24)},
        {"text", Bytes{'T', 'h', 'i', 's', ' ', 'i', 's', ' ', 'n', 'o', 't'}},
        {"empty", Bytes{}},
    };
    Bytes compressed = Bitmap(4, 4, 24);
    Put32(compressed, 16, 3); // BI_BITFIELDS
    cases.push_back({"compressed", compressed});
    Bytes planes = Bitmap(4, 4, 24);
    Put16(planes, 12, 2);
    cases.push_back({"two planes", planes});
    Bytes cut = Bitmap(4, 4, 24);
    cut.pop_back();
    cases.push_back({"a byte short", cut});
    Bytes tableTooLong = Bitmap(4, 4, 24);
    Put32(tableTooLong, 32, 257);
    cases.push_back({"a colour table past 256", tableTooLong});
    Bytes headerPastEnd = Bitmap(1, 1, 24);
    Put32(headerPastEnd, 0, 0x7FFFFFF0);
    cases.push_back({"a header past the end", headerPastEnd});
    Bytes shortHeader = Bitmap(4, 4, 24);
    Put32(shortHeader, 0, 12);
    cases.push_back({"an old core header", shortHeader});
    for (const Case& c : cases)
        EXPECT_FALSE(Read(c.bytes)) << c.what;
    // The positive control: the same shapes, whole, are read.
    EXPECT_TRUE(Read(Bitmap(4, 4, 24)));
    EXPECT_TRUE(Read(Bitmap(LargestBitmapSide, 1, 32)));
    EXPECT_FALSE(ReadPackedBitmap(nullptr, 100));
}

} // namespace
} // namespace qv
