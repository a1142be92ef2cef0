// Pictures scaled to fill their controls: smooth in both directions, unchanged at their own size,
// never brighter or darker on average, premultiplied colours kept within their alpha; and the
// choice of the size that needs the least scaling.
#include "ui/picture_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace qv {
namespace {

constexpr std::uint32_t Transparent = 0;

std::uint32_t Grey(std::uint32_t level) {
    return 0xFF000000u | level << 16 | level << 8 | level;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

Pixels Picture(int width, int height, std::uint32_t (*at)(int x, int y)) {
    Pixels picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.argb.push_back(at(x, y));
    return picture;
}

// Black and white stripes one pixel wide: the hardest picture to scale without moiré.
std::uint32_t Stripes(int x, int) {
    return Grey(x % 2 ? 255 : 0);
}

// An opaque red disc on a transparent ground, with soft edges in premultiplied form.
std::uint32_t RedDisc(int x, int y) {
    const int dx = x - 20, dy = y - 12, distance = dx * dx + dy * dy;
    if (distance > 100) return Transparent;
    const std::uint32_t alpha = distance > 81 ? 128 : 255;
    return alpha << 24 | alpha << 16;
}

TEST(PictureScaling, ThePictureAtItsOwnSizeComesBackUnchanged) {
    const Pixels picture = Picture(41, 25, RedDisc);
    const Pixels same = ScaleSmoothly(picture, 41, 25);
    EXPECT_EQ(same.width, 41);
    EXPECT_EQ(same.height, 25);
    EXPECT_EQ(same.argb, picture.argb);
}

// Halving averages each pair; growing never repeats a pixel but puts a step between its two
// neighbours; a uniform picture stays uniform at any size.
TEST(PictureScaling, ShrinkingAveragesAndGrowingInterpolates) {
    const Pixels stripes = Picture(8, 2, Stripes);
    const Pixels halved = ScaleSmoothly(stripes, 4, 2);
    for (std::uint32_t pixel : halved.argb)
        EXPECT_EQ(pixel, Grey(128)) << std::hex << pixel;

    const Pixels ramp{2, 1, {Grey(0), Grey(200)}};
    const Pixels grown = ScaleSmoothly(ramp, 4, 1);
    ASSERT_EQ(grown.argb.size(), 4u);
    EXPECT_EQ(grown.argb[0], Grey(0)); // at the edge: the edge's own pixel
    EXPECT_EQ(grown.argb[1], Grey(50));
    EXPECT_EQ(grown.argb[2], Grey(150));
    EXPECT_EQ(grown.argb[3], Grey(200));

    for (const auto& size : {std::vector<int>{7, 3}, {1, 1}, {300, 90}, {13, 200}}) {
        const Pixels grey = Picture(23, 11, [](int, int) { return Grey(77); });
        const Pixels scaled = ScaleSmoothly(grey, size[0], size[1]);
        ASSERT_EQ(scaled.argb.size(), std::size_t(size[0]) * size[1]);
        for (std::uint32_t pixel : scaled.argb)
            ASSERT_EQ(pixel, Grey(77)) << size[0] << "x" << size[1];
    }
}

// A picture of fine detail made a little larger or smaller by factors that pick neither whole
// pixels nor halves: its mean level is kept and no column is a copy of its neighbour (the mark of
// a stretch that repeats pixels).
TEST(PictureScaling, NoFactorRepeatsOrDropsColumns) {
    const Pixels stripes = Picture(323, 4, Stripes);
    for (int width : {545, 363, 330, 250, 200}) {
        const Pixels scaled = ScaleSmoothly(stripes, width, 4);
        long sum = 0;
        int copies = 0;
        for (int x = 0; x < width; ++x) {
            sum += Channel(scaled.argb[x], 0);
            if (x > 0 && width > 323 && scaled.argb[x] == scaled.argb[x - 1]) ++copies;
        }
        EXPECT_NEAR(double(sum) / width, 255.0 * 161 / 323, 3.0) << width;
        EXPECT_LT(copies, width / 20) << width;
    }
}

// Every pixel of a red picture with alpha stays red at its alpha: no colour of the transparent
// ground creeps into the edges (no fringe), and no colour exceeds its alpha.
TEST(PictureScaling, PremultipliedColoursStayWithinTheirAlpha) {
    const Pixels disc = Picture(41, 25, RedDisc);
    for (const auto& size : {std::vector<int>{97, 59}, {17, 9}, {41, 60}, {60, 25}}) {
        const Pixels scaled = ScaleSmoothly(disc, size[0], size[1]);
        int edges = 0;
        for (std::uint32_t pixel : scaled.argb) {
            const std::uint32_t alpha = Channel(pixel, 24);
            EXPECT_EQ(Channel(pixel, 16), alpha) << std::hex << pixel;
            EXPECT_EQ(Channel(pixel, 8), 0u) << std::hex << pixel;
            EXPECT_EQ(Channel(pixel, 0), 0u) << std::hex << pixel;
            if (alpha > 0 && alpha < 255) ++edges;
        }
        EXPECT_GT(edges, 0) << size[0]; // the fixture has soft edges to look at
    }
}

TEST(PictureScaling, EmptySizesGiveNothing) {
    const Pixels disc = Picture(41, 25, RedDisc);
    for (const auto& size : {std::vector<int>{0, 10}, {10, 0}, {-3, 5}})
        EXPECT_TRUE(ScaleSmoothly(disc, size[0], size[1]).argb.empty()) << size[0];
    EXPECT_TRUE(ScaleSmoothly(Pixels{}, 10, 10).argb.empty());
    EXPECT_TRUE(ScaleSmoothly(Pixels{4, 4, {1, 2, 3}}, 10, 10).argb.empty()); // too few pixels
}

TEST(PictureScaling, NearestSizeNeedsTheLeastScaling) {
    // The banner's sizes at 100, 125, 150 and 200 %.
    const std::vector<PictureSize> sizes{{363, 42}, {424, 52}, {545, 62}, {726, 81}};
    struct Case {
        PictureSize wanted;
        std::size_t chosen;
    };
    for (const Case& c : std::vector<Case>{{{363, 42}, 0},
                                           {{545, 62}, 2},
                                           {{726, 81}, 3},
                                           {{364, 43}, 0}, // a font a pixel wider
                                           {{480, 56}, 1},
                                           {{500, 60}, 2},
                                           {{100, 10}, 0},
                                           {{2000, 300}, 3},
                                           {{0, 0}, 0}})
        EXPECT_EQ(NearestSize(sizes, c.wanted), c.chosen)
            << c.wanted.width << "x" << c.wanted.height;
    // Of two sizes equally far, the larger: shrinking keeps more of the detail.
    EXPECT_EQ(NearestSize({{100, 50}, {400, 200}}, {200, 100}), 1u);
    EXPECT_EQ(NearestSize({{400, 200}, {100, 50}}, {200, 100}), 0u);
    EXPECT_EQ(NearestSize({}, {200, 100}), 0u);
}

} // namespace
} // namespace qv
