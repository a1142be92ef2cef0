#include "ui/gdi_plus_win.h"

#include "base/system_library_win.h"

namespace qv::gdiplus {

namespace flat = Gdiplus::DllExports;

// Each function is looked up once; decltype names GDI+'s type without importing it.
#define QV_GDIPLUS_FUNCTION(qualified, name)                                                       \
    static const auto function = SystemFunction<decltype(&qualified::name)>(L"gdiplus.dll", #name)

GpStatus GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                        Gdiplus::GdiplusStartupOutput* output) {
    QV_GDIPLUS_FUNCTION(Gdiplus, GdiplusStartup);
    return function ? function(token, input, output) : Gdiplus::GdiplusNotInitialized;
}

void GdiplusShutdown(ULONG_PTR token) {
    QV_GDIPLUS_FUNCTION(Gdiplus, GdiplusShutdown);
    if (function) function(token);
}

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    QV_GDIPLUS_FUNCTION(flat, GdipCreateBitmapFromStream);
    return function ? function(stream, bitmap) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipDisposeImage(GpImage* image) {
    QV_GDIPLUS_FUNCTION(flat, GdipDisposeImage);
    return function ? function(image) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
    QV_GDIPLUS_FUNCTION(flat, GdipCreateFromHDC);
    return function ? function(dc, graphics) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
    QV_GDIPLUS_FUNCTION(flat, GdipDeleteGraphics);
    return function ? function(graphics) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, Gdiplus::InterpolationMode mode) {
    QV_GDIPLUS_FUNCTION(flat, GdipSetInterpolationMode);
    return function ? function(graphics, mode) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, Gdiplus::PixelOffsetMode mode) {
    QV_GDIPLUS_FUNCTION(flat, GdipSetPixelOffsetMode);
    return function ? function(graphics, mode) : Gdiplus::GdiplusNotInitialized;
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                            INT height) {
    QV_GDIPLUS_FUNCTION(flat, GdipDrawImageRectI);
    return function ? function(graphics, image, x, y, width, height)
                    : Gdiplus::GdiplusNotInitialized;
}

} // namespace qv::gdiplus
