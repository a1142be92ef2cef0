// PNG pictures from the program's own resources, decoded by GDI+.
#pragma once

#include "base/com_win.h"
#include "ui/gdi_plus_win.h"

#include <windows.h>

namespace qv {

// GDI+ started for as long as this lives.
class GdiPlusSession {
  public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;
    bool Started() const { return token_ != 0; }

  private:
    ULONG_PTR token_ = 0;
};

// A picture decoded from a resource of type "PNG". GDI+ may go on reading the stream while the
// picture is drawn, so the picture holds it for its own life.
class PngImage {
  public:
    gdiplus::GpBitmap* Get() const { return bitmap_.get(); }
    explicit operator bool() const { return bitmap_ != nullptr; }

  private:
    friend bool LoadPngResource(int resourceId, PngImage& image);
    ComRef<IStream> stream_; // declared first: it goes after the picture
    gdiplus::UniqueBitmap bitmap_;
};

// Replaces what the image held by the resource's picture; false, with the image empty, when the
// resource is missing or is no picture GDI+ can decode. Needs a started GdiPlusSession.
bool LoadPngResource(int resourceId, PngImage& image);

} // namespace qv
