#include "ui/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int WeightBits = 16;
constexpr std::uint32_t WholeWeight = 1u << WeightBits;

// The pixels of one row or column that make one new pixel, and their shares of it.
struct Taps {
    int first = 0;
    std::vector<std::uint32_t> weights; // they add up to WholeWeight
};

// For each of `to` new pixels along a side of `from` pixels: the old pixels that the new one's
// box covers, the box as wide as a new pixel in old pixels but never narrower than one old
// pixel, and each old pixel's share of the box (so shrinking averages an area and growing
// interpolates between two neighbours). The box is cut at the picture's edges.
std::vector<Taps> TapsAlong(int from, int to) {
    std::vector<Taps> taps(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    const double half = std::max(scale, 1.0) / 2;
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale;
        const double low = std::max(centre - half, 0.0);
        const double high = std::min(centre + half, static_cast<double>(from));
        const int first = std::min(static_cast<int>(std::floor(low)), from - 1);
        const int last = std::max(std::min(static_cast<int>(std::ceil(high)) - 1, from - 1), first);
        Taps& tap = taps[static_cast<std::size_t>(i)];
        tap.first = first;
        std::vector<double> shares;
        double total = 0;
        for (int j = first; j <= last; ++j) {
            const double share = std::max(std::min(high, j + 1.0) - std::max(low, double(j)), 0.0);
            shares.push_back(share);
            total += share;
        }
        std::uint32_t given = 0;
        std::size_t largest = 0;
        for (std::size_t k = 0; k < shares.size(); ++k) {
            const double part = total > 0 ? shares[k] / total : (k == 0 ? 1.0 : 0.0);
            tap.weights.push_back(static_cast<std::uint32_t>(std::lround(part * WholeWeight)));
            given += tap.weights.back();
            if (tap.weights[k] > tap.weights[largest]) largest = k;
        }
        // Rounding must not brighten or darken: the largest share takes up the difference.
        tap.weights[largest] += WholeWeight - given;
    }
    return taps;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// One new pixel from the old ones at `first`, `first + step`, ... weighted by the taps. Each
// channel is rounded alike, so a premultiplied colour stays within its alpha.
std::uint32_t Blend(const std::uint32_t* first, std::size_t step, const Taps& taps) {
    std::uint64_t sums[4] = {};
    for (std::size_t k = 0; k < taps.weights.size(); ++k) {
        const std::uint32_t pixel = first[k * step];
        for (int c = 0; c < 4; ++c)
            sums[c] += std::uint64_t{Channel(pixel, 8 * c)} * taps.weights[k];
    }
    std::uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c)
        pixel |= static_cast<std::uint32_t>((sums[c] + WholeWeight / 2) >> WeightBits) << (8 * c);
    return pixel;
}

} // namespace

Pixels ScaleSmoothly(const Pixels& picture, int width, int height) {
    if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0 ||
        picture.argb.size() != std::size_t(picture.width) * std::size_t(picture.height))
        return {};
    // Across first, into a picture of the new width and the old height, then down.
    const std::vector<Taps> across = TapsAlong(picture.width, width);
    const std::vector<Taps> down = TapsAlong(picture.height, height);
    std::vector<std::uint32_t> wide(std::size_t(width) * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.argb.data() + std::size_t(y) * picture.width;
        for (int x = 0; x < width; ++x)
            wide[std::size_t(y) * width + x] = Blend(row + across[x].first, 1, across[x]);
    }
    Pixels scaled{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            scaled.argb[std::size_t(y) * width + x] =
                Blend(wide.data() + std::size_t(down[y].first) * width + x, width, down[y]);
    return scaled;
}

std::size_t NearestSize(const std::vector<PictureSize>& sizes, PictureSize wanted) {
    const auto factor = [](int have, int want) {
        const double a = std::max(have, 1), b = std::max(want, 1);
        return a > b ? a / b : b / a;
    };
    const auto area = [](PictureSize size) { return double(size.width) * size.height; };
    std::size_t best = 0;
    double bestCost = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const double cost =
            factor(sizes[i].width, wanted.width) * factor(sizes[i].height, wanted.height);
        if (i == 0 || cost < bestCost || (cost == bestCost && area(sizes[i]) > area(sizes[best]))) {
            best = i;
            bestCost = cost;
        }
    }
    return best;
}

} // namespace qv
