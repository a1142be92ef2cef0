// A bitmap resource's bytes read as a picture and scaled: whatever the bytes, a picture that is
// read holds all its pixels, each a premultiplied colour, and keeps that at any size.
#include "fuzz_input.h"
#include "ui/packed_bitmap.h"

namespace {

bool IsPremultiplied(const qv::Pixels& pixels) {
    for (std::uint32_t pixel : pixels.argb) {
        const std::uint32_t alpha = pixel >> 24;
        if (((pixel >> 16) & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha ||
            (pixel & 0xFF) > alpha)
            return false;
    }
    return true;
}

} // namespace

// The first two bytes give the size to scale to; the rest are the resource.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int width = data[0] % 64, height = data[1] % 64;
    const std::optional<qv::PackedBitmap> layout = qv::ReadPackedBitmap(data + 2, size - 2);
    if (!layout) return 0;
    QV_FUZZ_CHECK(layout->width > 0 && layout->height > 0);
    QV_FUZZ_CHECK(layout->pixelsAt + layout->rowBytes * std::size_t(layout->height) <= size - 2);
    const qv::Pixels pixels = qv::PixelsOf(data + 2, *layout);
    QV_FUZZ_CHECK(pixels.argb.size() == std::size_t(layout->width) * std::size_t(layout->height));
    QV_FUZZ_CHECK(IsPremultiplied(pixels));
    const qv::Pixels scaled = qv::ScaleSmoothly(pixels, width, height);
    QV_FUZZ_CHECK(scaled.argb.size() == std::size_t(width) * std::size_t(height));
    QV_FUZZ_CHECK(IsPremultiplied(scaled));
    return 0;
}
