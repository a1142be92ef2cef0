// A bitmap resource as the resource compiler stores it: a BITMAPINFOHEADER, any colour table,
// then the rows of pixels, each padded to four bytes, the bottom row first unless the height is
// negative. Pure.
#pragma once

#include "ui/picture_scaling.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace qv {

struct PackedBitmap {
    int width = 0;
    int height = 0;       // rows, however they are stored
    int bitsPerPixel = 0; // 24: opaque; 32: with premultiplied alpha
    bool topDown = false; // the top row comes first
    std::size_t rowBytes = 0;
    std::size_t pixelsAt = 0; // where the rows begin
};

constexpr std::size_t BitmapHeaderSize = 40;
constexpr int LargestBitmapSide = 16384;

// The layout of an uncompressed 24- or 32-bit bitmap, at most LargestBitmapSide on each side,
// whose rows lie wholly within the bytes; nothing for anything else.
std::optional<PackedBitmap> ReadPackedBitmap(const std::uint8_t* data, std::size_t size);

// Its pixels (see ReadPackedBitmap for the layout). A 24-bit bitmap is opaque; a 32-bit one's
// colours are kept within its alpha, so that every pixel is a premultiplied colour.
Pixels PixelsOf(const std::uint8_t* data, const PackedBitmap& bitmap);

} // namespace qv
