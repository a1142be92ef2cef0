#include "ui/picture_painting_win.h"

namespace qv {

namespace {

// A memory device context with one bitmap selected into it, both freed with it.
class BitmapContext {
  public:
    BitmapContext(HDC compatibleWith, HBITMAP bitmap)
        : bitmap_(bitmap), dc_(::CreateCompatibleDC(compatibleWith)) {
        if (dc_ && bitmap_) previous_ = ::SelectObject(dc_, bitmap_);
    }
    ~BitmapContext() {
        if (previous_) ::SelectObject(dc_, previous_);
        if (dc_) ::DeleteDC(dc_);
        if (bitmap_) ::DeleteObject(bitmap_);
    }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;
    HDC Get() const { return previous_ ? dc_ : nullptr; }
    HBITMAP Bitmap() const { return bitmap_; }

  private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

} // namespace

bool DrawBitmapResource(HDC dc, const RECT& area, int bitmapId) {
    BitmapContext source(dc,
                         ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId)));
    BITMAP size{};
    if (!source.Get() || !::GetObjectW(source.Bitmap(), sizeof(size), &size)) return false;
    return ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                        source.Get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY) != FALSE;
}

bool DrawPngResource(HDC dc, const RECT& area, int pngId) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    PngImage image;
    if (width <= 0 || height <= 0 || !LoadPngResource(pngId, image)) return false;
    gdiplus::GpGraphics* created = nullptr;
    if (gdiplus::GdipCreateFromHDC(dc, &created) != Gdiplus::Ok) return false;
    const gdiplus::UniqueGraphics graphics(created);
    gdiplus::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    gdiplus::GdipSetPixelOffsetMode(graphics.get(), Gdiplus::PixelOffsetModeHalf);
    return gdiplus::GdipDrawImageRectI(graphics.get(), image.Get(), area.left, area.top, width,
                                       height) == Gdiplus::Ok;
}

void PaintMinimisedIcon(HWND window, HICON icon) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    ::SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(window, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(window, &paint);
}

} // namespace qv
