// The GDI+ functions the logo needs, with GDI+'s own signatures. GDI+ is loaded from the system
// folder when the logo is first drawn, not with the program (system_library_win.h); a function
// whose library cannot be loaded fails as GDI+ fails when it is not started.
#pragma once

#include <windows.h>

#include <objidl.h>

// GDI+'s headers use min and max, which NOMINMAX keeps out of the Windows headers.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <memory>

namespace qv::gdiplus {

using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpStatus;

GpStatus GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                        Gdiplus::GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, Gdiplus::InterpolationMode mode);
GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, Gdiplus::PixelOffsetMode mode);
GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                            INT height);

// Owners of a decoded picture and of a drawing surface, each let go once.
struct ImageDisposer {
    void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
struct GraphicsDeleter {
    void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
using UniqueBitmap = std::unique_ptr<GpBitmap, ImageDisposer>;
using UniqueGraphics = std::unique_ptr<GpGraphics, GraphicsDeleter>;

} // namespace qv::gdiplus
