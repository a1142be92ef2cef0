// The launcher's pictures: the banner, the logo and the Workbench tip's illustration, each drawn
// by tools/make-artwork.sh for 100, 125, 150 and 200 % of the screen's scale, and the icon of the
// minimised window. A picture fills its control, whatever the control's size, from the bitmap
// resource each paint loads; a missing one leaves its area as it is, without a word.
#pragma once

#include "resources/resource.h"

#include <windows.h>

#include <array>

namespace qv {

// The bitmap resources of one picture, one for each scale. A 24-bit bitmap is opaque; a 32-bit
// one has an alpha channel, its colours premultiplied by it.
using Artwork = std::array<int, 4>;
inline constexpr Artwork BannerArt{IDB_BANNER, IDB_BANNER_125, IDB_BANNER_150, IDB_BANNER_200};
inline constexpr Artwork LogoArt{IDB_LOGO, IDB_LOGO_125, IDB_LOGO_150, IDB_LOGO_200};
inline constexpr Artwork WorkbenchSettingsArt{IDB_WORKBENCH_SETTINGS, IDB_WORKBENCH_SETTINGS_125,
                                              IDB_WORKBENCH_SETTINGS_150,
                                              IDB_WORKBENCH_SETTINGS_200};

// Draws the bitmap of the art whose size is nearest the rectangle's over the whole rectangle,
// scaled smoothly where the two sizes differ: an opaque picture covers it, one with alpha is
// blended over what is there. False, with the area as it was, when the rectangle is empty or
// no bitmap of the art can be read.
bool DrawArtwork(HDC dc, const RECT& area, const Artwork& art);

// Paints the icon in the middle of the minimised window's client area.
void PaintMinimisedIcon(HWND window, HICON icon);

} // namespace qv
