// The pictures drawn into rectangles: each bitmap of each picture pixel for pixel at its own size,
// smoothly scaled to fill any other, the logo blended over what is there, a missing or broken
// bitmap leaving the area as it was; and the real dialog drawing both pictures on every paint.
#include "resources/resource.h"
#include "tests/support/picture_reading_win.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/packed_bitmap.h"
#include "ui/picture_painting_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace qv {
namespace {

constexpr int BrokenBitmap = 4997; // a bitmap resource of the test program holding text
constexpr int MissingResource = 4996;
constexpr COLORREF Ground = RGB(10, 200, 30); // in none of the pictures
constexpr std::uint32_t GroundPixel = 0xFF0AC81E;

// A 32-bit picture in memory, filled with the ground colour, to draw on and read back.
class Canvas {
  public:
    Canvas(int width, int height) : area_{0, 0, width, height} {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = ::SelectObject(dc_, bitmap_);
        HBRUSH ground = ::CreateSolidBrush(Ground);
        ::FillRect(dc_, &area_, ground);
        ::DeleteObject(ground);
    }
    ~Canvas() {
        ::SelectObject(dc_, previous_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Area() const { return area_; }
    // What was drawn, opaque, top row first.
    Pixels Read() const {
        ::GdiFlush();
        Pixels pixels{area_.right, area_.bottom,
                      std::vector<std::uint32_t>(std::size_t(area_.right) * area_.bottom)};
        std::memcpy(pixels.argb.data(), bits_, pixels.argb.size() * sizeof(std::uint32_t));
        for (std::uint32_t& pixel : pixels.argb)
            pixel |= 0xFF000000u;
        return pixels;
    }

  private:
    RECT area_;
    HDC dc_;
    void* bits_ = nullptr;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

int GroundPixels(const Pixels& pixels) {
    int ground = 0;
    for (std::uint32_t pixel : pixels.argb)
        ground += pixel == GroundPixel ? 1 : 0;
    return ground;
}

std::uint32_t At(const Pixels& pixels, int x, int y) {
    return pixels.argb[std::size_t(y) * pixels.width + x];
}

// How many columns that are not of one colour repeat the column before them: a stretch that
// repeats pixels makes copies of a quarter of them or more where it grows a picture by a third;
// a smooth one only where the picture itself repeats a column (inside the emblem).
int RepeatedColumns(const Pixels& pixels, int& varied) {
    int repeated = 0;
    varied = 0;
    for (int x = 1; x < pixels.width; ++x) {
        bool uniform = true, same = true;
        for (int y = 0; y < pixels.height; ++y) {
            uniform = uniform && At(pixels, x, y) == At(pixels, x, 0);
            same = same && At(pixels, x, y) == At(pixels, x - 1, y);
        }
        if (uniform) continue;
        ++varied;
        repeated += same ? 1 : 0;
    }
    return repeated;
}

struct Bitmap {
    PackedBitmap layout;
    Pixels pixels;
};

Bitmap ResourceBitmap(int id) {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_BITMAP);
    const DWORD size = found ? ::SizeofResource(nullptr, found) : 0;
    const auto* bytes =
        size ? static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, found)))
             : nullptr;
    const std::optional<PackedBitmap> layout = ReadPackedBitmap(bytes, size);
    if (!layout) return {};
    return {*layout, PixelsOf(bytes, *layout)};
}

struct Picture {
    const char* name;
    Artwork art;
    int bitsPerPixel;
    bool textInEveryColumn; // no column of it repeats its neighbour, unless it is of one colour
};
const std::vector<Picture> Pictures{{"banner", BannerArt, 24, true},
                                    {"logo", LogoArt, 32, true},
                                    {"Workbench", WorkbenchSettingsArt, 24, false}};

// At the size it was made for, a bitmap is drawn as it is: copied, or blended over the ground.
// Each picture has a bitmap for each scale, each larger than the one before.
TEST(DialogPictures, EachBitmapIsDrawnPixelForPixelAtItsOwnSize) {
    for (const Picture& picture : Pictures) {
        PictureSize previous{};
        for (const int id : picture.art) {
            SCOPED_TRACE(picture.name + std::string(" ") + std::to_string(id));
            const Bitmap bitmap = ResourceBitmap(id);
            ASSERT_EQ(bitmap.layout.bitsPerPixel, picture.bitsPerPixel);
            EXPECT_GT(bitmap.layout.width, previous.width);
            EXPECT_GT(bitmap.layout.height, previous.height);
            previous = {bitmap.layout.width, bitmap.layout.height};
            Canvas canvas(bitmap.layout.width, bitmap.layout.height);
            ASSERT_TRUE(DrawArtwork(canvas.Dc(), canvas.Area(), picture.art));
            const Pixels expected = picture.bitsPerPixel == 32
                                        ? test::OverGround(bitmap.pixels, Ground)
                                        : bitmap.pixels;
            EXPECT_EQ(test::DifferingPixels(canvas.Read(), expected, 1), 0);
        }
    }
}

// At sizes no bitmap was made for, each picture still covers the whole rectangle (the logo all
// but its transparent ground), scaled smoothly: where a column holds text, it is no copy of the
// one before.
TEST(DialogPictures, PicturesFillRectanglesOfAnyOtherSizeSmoothly) {
    const std::vector<PictureSize> sizes{{1000, 120}, {400, 47}, {300, 90}, {120, 20}};
    for (const Picture& picture : Pictures)
        for (const PictureSize size : sizes) {
            SCOPED_TRACE(picture.name + std::string(" at ") + std::to_string(size.width));
            Canvas canvas(size.width, size.height);
            ASSERT_TRUE(DrawArtwork(canvas.Dc(), canvas.Area(), picture.art));
            const Pixels drawn = canvas.Read();
            if (picture.bitsPerPixel == 24) {
                EXPECT_EQ(GroundPixels(drawn), 0);
            } else {
                EXPECT_EQ(At(drawn, size.width - 1, 0), GroundPixel); // transparent corner
                EXPECT_NE(At(drawn, size.width * 10 / 696 + 4, size.height / 2), GroundPixel);
                EXPECT_GT(GroundPixels(drawn), 0);
                EXPECT_LT(GroundPixels(drawn), size.width * size.height * 9 / 10);
            }
            if (!picture.textInEveryColumn) continue;
            int varied = 0;
            const int repeated = RepeatedColumns(drawn, varied);
            EXPECT_GT(varied, size.width / 4);
            EXPECT_LE(repeated, varied / 10);
        }
}

TEST(DialogPictures, MissingOrBrokenBitmapsLeaveTheAreaAsItWas) {
    ASSERT_NE(::FindResourceW(nullptr, MAKEINTRESOURCEW(BrokenBitmap), RT_BITMAP), nullptr);
    Canvas canvas(100, 20);
    EXPECT_FALSE(DrawArtwork(canvas.Dc(), canvas.Area(),
                             {BrokenBitmap, MissingResource, MissingResource, IDD_LAUNCHER}));
    EXPECT_FALSE(DrawArtwork(canvas.Dc(), RECT{0, 0, 0, 20}, BannerArt)); // an empty area
    EXPECT_FALSE(DrawArtwork(canvas.Dc(), RECT{0, 0, 100, -1}, BannerArt));
    EXPECT_EQ(GroundPixels(canvas.Read()), 100 * 20);
    // One bitmap that can be read is enough.
    EXPECT_TRUE(DrawArtwork(canvas.Dc(), canvas.Area(),
                            {BrokenBitmap, MissingResource, IDB_BANNER, MissingResource}));
    EXPECT_EQ(GroundPixels(canvas.Read()), 0);
}

// The dialog's own pictures, read from its window after it painted, and again after a repaint.
TEST(DialogPictures, DialogDrawsBothPicturesOnEveryPaint) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    test::ScriptedPrompts prompts;
    Modeless<CLauncherDlg> dialog;
    ASSERT_TRUE(dialog.Open());
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const auto pixel = [&](int id, int x, int y) {
        HDC dc = ::GetDC(dialog.Item(id));
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(dialog.Item(id), dc);
        return color;
    };
    for (int paint = 0; paint < 2; ++paint) {
        ::RedrawWindow(dialog.Window(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT banner{}, logo{};
        ::GetClientRect(dialog.Item(IDC_BANNER), &banner);
        ::GetClientRect(dialog.Item(IDC_LOGO), &logo);
        EXPECT_NE(pixel(IDC_BANNER, 1, 1), face) << paint;
        EXPECT_NE(pixel(IDC_BANNER, banner.right - 2, banner.bottom - 2), face) << paint;
        EXPECT_NE(pixel(IDC_LOGO, logo.right * 10 / 696 + 4, logo.bottom / 2), face) << paint;
        EXPECT_EQ(pixel(IDC_LOGO, logo.right - 1, 0), face) << paint; // transparent corner
    }
    EXPECT_TRUE(prompts.messages.empty());
    // Dragged while minimised, the window shows its own icon.
    const auto icon = ::SendMessageW(dialog.Window(), WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(icon, 0);
    EXPECT_EQ(::SendMessageW(dialog.Window(), WM_QUERYDRAGICON, 0, 0), icon);
    EXPECT_NE(::SendMessageW(dialog.Item(IDC_BROWSE), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

} // namespace
} // namespace qv
