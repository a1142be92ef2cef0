// Reading back what a picture control shows and the bitmaps a program carries, to compare them.
#pragma once

#include "ui/picture_scaling.h"

#include <windows.h>

#include <optional>
#include <string>

namespace qv::test {

// What a window of this process has drawn in its client area: opaque pixels, top row first.
Pixels ClientPixelsOf(HWND window);
// What the screen shows of a window's client area, any process's window.
Pixels ScreenPixelsOf(HWND window);

// The module's bitmap resource whose size is exactly this (its pixels as PixelsOf reads them,
// and whether it has alpha); nothing when it carries none of this size.
struct BitmapOfSize {
    int id = 0;
    bool alpha = false;
    Pixels pixels;
};
std::optional<BitmapOfSize> FindBitmapOfSize(HMODULE module, PictureSize size);

// The pixel a picture's premultiplied pixel makes over an opaque ground, as AlphaBlend blends it.
std::uint32_t BlendedOver(std::uint32_t ground, std::uint32_t pixel);

// How many pixels of `shown` differ from `expected` in a channel by more than `tolerance`;
// every pixel when the sizes differ. The alpha bytes are not compared.
int DifferingPixels(const Pixels& shown, const Pixels& expected, int tolerance);

// `picture` blended over a ground of one colour, as AlphaBlend draws it there.
Pixels OverGround(const Pixels& picture, COLORREF ground);

std::wstring SizeText(const Pixels& pixels);

} // namespace qv::test
