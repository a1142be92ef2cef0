// The main dialog's pictures: the banner bitmap and the PNG logo fill whatever rectangle they
// are given, the logo blends over what is there, a missing or broken resource leaves its area
// as it was, and the real dialog draws both again when it is repainted.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/picture_painting_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace qv {
namespace {

constexpr int BrokenPng = 4997; // a "PNG" resource of the test program holding text
constexpr int MissingResource = 4996;
constexpr COLORREF Ground = RGB(10, 200, 30); // in none of the pictures

// A 32-bit picture in memory, filled with the ground colour, to draw on and read back.
class Canvas {
  public:
    Canvas(int width, int height) : area_{0, 0, width, height} {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
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
    bool IsGround(int x, int y) const { return ::GetPixel(dc_, x, y) == Ground; }
    // How many of the pixels in a grid over the whole canvas were drawn on.
    int DrawnOf(int& sampled) const {
        int drawn = 0;
        sampled = 0;
        for (int x = 0; x < area_.right; x += 7)
            for (int y = 0; y < area_.bottom; y += 3, ++sampled)
                drawn += IsGround(x, y) ? 0 : 1;
        return drawn;
    }

  private:
    RECT area_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

class DialogPictures : public ::testing::Test {
  protected:
    GdiPlusSession gdiPlus;
};

// At two sizes other than its own, the banner covers the whole rectangle, to its corners.
TEST_F(DialogPictures, BannerFillsItsRectangleAtAnySize) {
    ASSERT_TRUE(gdiPlus.Started());
    for (const SIZE size : {SIZE{363, 42}, SIZE{545, 63}}) {
        Canvas canvas(size.cx, size.cy);
        ASSERT_TRUE(DrawBitmapResource(canvas.Dc(), canvas.Area(), IDB_BANNER));
        int sampled = 0;
        EXPECT_EQ(canvas.DrawnOf(sampled), sampled) << size.cx;
        EXPECT_FALSE(canvas.IsGround(size.cx - 1, size.cy - 1)) << size.cx;
    }
}

// The logo reaches across the rectangle and keeps the ground where it is transparent.
TEST_F(DialogPictures, LogoBlendsOverWhatIsThere) {
    ASSERT_TRUE(gdiPlus.Started());
    for (const SIZE size : {SIZE{224, 54}, SIZE{335, 80}}) {
        Canvas canvas(size.cx, size.cy);
        ASSERT_TRUE(DrawPngResource(canvas.Dc(), canvas.Area(), IDP_LOGO));
        int sampled = 0;
        const int drawn = canvas.DrawnOf(sampled);
        EXPECT_GT(drawn, sampled / 10) << size.cx;
        EXPECT_LT(drawn, sampled) << size.cx;
        EXPECT_TRUE(canvas.IsGround(size.cx - 1, 0)) << size.cx; // transparent corner
        EXPECT_FALSE(canvas.IsGround(size.cx * 10 / 696 + 4, size.cy / 2)) << size.cx; // emblem
    }
}

TEST_F(DialogPictures, MissingOrBrokenResourcesLeaveTheAreaAsItWas) {
    ASSERT_TRUE(gdiPlus.Started());
    ASSERT_NE(::FindResourceW(nullptr, MAKEINTRESOURCEW(BrokenPng), L"PNG"), nullptr);
    PngImage image;
    ASSERT_TRUE(LoadPngResource(IDP_LOGO, image));
    UINT width = 0, height = 0;
    ASSERT_EQ(Gdiplus::DllExports::GdipGetImageWidth(image.Get(), &width), Gdiplus::Ok);
    ASSERT_EQ(Gdiplus::DllExports::GdipGetImageHeight(image.Get(), &height), Gdiplus::Ok);
    EXPECT_EQ(width, 696u);
    EXPECT_EQ(height, 151u);
    for (int id : {BrokenPng, MissingResource, IDB_BANNER}) { // the banner is no "PNG"
        EXPECT_FALSE(LoadPngResource(id, image)) << id;
        EXPECT_FALSE(image) << id;
    }
    Canvas canvas(100, 20);
    EXPECT_FALSE(DrawPngResource(canvas.Dc(), canvas.Area(), BrokenPng));
    EXPECT_FALSE(DrawBitmapResource(canvas.Dc(), canvas.Area(), MissingResource));
    EXPECT_FALSE(DrawPngResource(canvas.Dc(), RECT{0, 0, 0, 20}, IDP_LOGO)); // an empty area
    int sampled = 0;
    EXPECT_EQ(canvas.DrawnOf(sampled), 0);
}

// The dialog's own pictures, read from its window after it painted, and again after a repaint.
TEST_F(DialogPictures, DialogDrawsBothPicturesOnEveryPaint) {
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
