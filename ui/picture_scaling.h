// Pictures in memory and their smooth scaling to the size of the control they fill. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// Pixels as 0xAARRGGBB with the colours premultiplied by the alpha, rows top first: the layout
// of a top-down 32-bit device-independent bitmap.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The picture resampled to width x height, each direction on its own: a new pixel averages the
// stretch of the picture it covers when shrinking, and lies between its two nearest pixels when
// growing. No pixel is repeated or dropped, so edges stay smooth at any size, and a picture of
// the same size comes back unchanged. Empty for an empty size or picture.
Pixels ScaleSmoothly(const Pixels& picture, int width, int height);

// The index of the size that a picture must be scaled from least to fill `wanted`: the smallest
// product of the factors by which its width and height would grow or shrink; of equals, the
// larger. 0 for an empty list.
std::size_t NearestSize(const std::vector<PictureSize>& sizes, PictureSize wanted);

} // namespace qv
