#include "ui/packed_bitmap.h"

#include <algorithm>

namespace qv {

namespace {

std::uint32_t LittleEndian32(const std::uint8_t* at) {
    return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
           std::uint32_t{at[3]} << 24;
}

std::uint16_t LittleEndian16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// BITMAPINFOHEADER: size, width, height, planes, bits per pixel, compression, image size, two
// resolutions, colours used, colours important.
constexpr std::size_t WidthAt = 4, HeightAt = 8, PlanesAt = 12, BitsAt = 14, CompressionAt = 16,
                      ColoursUsedAt = 32;
constexpr std::uint32_t Uncompressed = 0; // BI_RGB

} // namespace

std::optional<PackedBitmap> ReadPackedBitmap(const std::uint8_t* data, std::size_t size) {
    if (!data || size < BitmapHeaderSize) return std::nullopt;
    const std::uint32_t headerSize = LittleEndian32(data);
    const auto width = static_cast<std::int32_t>(LittleEndian32(data + WidthAt));
    const auto height = static_cast<std::int32_t>(LittleEndian32(data + HeightAt));
    const std::uint16_t bits = LittleEndian16(data + BitsAt);
    const std::uint32_t colours = LittleEndian32(data + ColoursUsedAt);
    if (headerSize < BitmapHeaderSize || headerSize > size ||
        LittleEndian16(data + PlanesAt) != 1 || (bits != 24 && bits != 32) ||
        LittleEndian32(data + CompressionAt) != Uncompressed || colours > 256 || width <= 0 ||
        width > LargestBitmapSide || height == 0 || height < -LargestBitmapSide ||
        height > LargestBitmapSide)
        return std::nullopt;
    PackedBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height < 0 ? -height : height;
    bitmap.bitsPerPixel = bits;
    bitmap.topDown = height < 0;
    bitmap.rowBytes = (std::size_t(width) * bits / 8 + 3) & ~std::size_t{3};
    bitmap.pixelsAt = std::size_t{headerSize} + std::size_t{colours} * 4;
    if (bitmap.pixelsAt > size ||
        (size - bitmap.pixelsAt) / bitmap.rowBytes < static_cast<std::size_t>(bitmap.height))
        return std::nullopt;
    return bitmap;
}

Pixels PixelsOf(const std::uint8_t* data, const PackedBitmap& bitmap) {
    Pixels pixels{bitmap.width, bitmap.height, {}};
    pixels.argb.reserve(std::size_t(bitmap.width) * bitmap.height);
    const std::size_t bytesPerPixel = std::size_t(bitmap.bitsPerPixel) / 8;
    for (int y = 0; y < bitmap.height; ++y) {
        const int stored = bitmap.topDown ? y : bitmap.height - 1 - y;
        const std::uint8_t* row = data + bitmap.pixelsAt + std::size_t(stored) * bitmap.rowBytes;
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint8_t* pixel = row + std::size_t(x) * bytesPerPixel;
            const std::uint32_t alpha = bytesPerPixel == 4 ? pixel[3] : 0xFF;
            const auto within = [alpha](std::uint8_t colour) {
                return std::min<std::uint32_t>(colour, alpha);
            };
            pixels.argb.push_back(alpha << 24 | within(pixel[2]) << 16 | within(pixel[1]) << 8 |
                                  within(pixel[0]));
        }
    }
    return pixels;
}

} // namespace qv
