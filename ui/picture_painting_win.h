// The pictures of the main dialog: banner and logo drawn to fill their controls, whatever their
// size, and the icon of the minimised window. A resource that is missing leaves its area as
// it is, without a word.
#pragma once

#include "ui/png_resource_win.h"

#include <windows.h>

namespace qv {

// Stretches the whole bitmap resource over the rectangle; false when it cannot be loaded.
bool DrawBitmapResource(HDC dc, const RECT& area, int bitmapId);

// Blends the whole PNG resource over the rectangle, scaled smoothly; false when it cannot be
// loaded. GDI+ must be started.
bool DrawPngResource(HDC dc, const RECT& area, int pngId);

// Paints the icon in the middle of the minimised window's client area.
void PaintMinimisedIcon(HWND window, HICON icon);

} // namespace qv
