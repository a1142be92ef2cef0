#include "tests/support/picture_reading_win.h"

#include "base/handles_win.h"
#include "ui/packed_bitmap.h"

#include <cstdlib>
#include <vector>

namespace qv::test {

namespace {

// The pixels of a rectangle of a device context, opaque, top row first.
Pixels PixelsFrom(HDC source, POINT origin, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    Pixels pixels{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueMemoryDc copy(::CreateCompatibleDC(source));
    UniqueBitmap target(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !target || !bits) return {};
    const HGDIOBJ previous = ::SelectObject(copy.get(), target.get());
    ::BitBlt(copy.get(), 0, 0, width, height, source, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const auto* read = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.argb.size(); ++i)
        pixels.argb[i] = read[i] | 0xFF000000u;
    ::SelectObject(copy.get(), previous);
    return pixels;
}

} // namespace

Pixels ClientPixelsOf(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    HDC dc = ::GetDC(window);
    Pixels pixels = PixelsFrom(dc, {0, 0}, client.right, client.bottom);
    ::ReleaseDC(window, dc);
    return pixels;
}

Pixels ScreenPixelsOf(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    HDC screen = ::GetDC(nullptr);
    Pixels pixels = PixelsFrom(screen, origin, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

namespace {

struct Search {
    PictureSize size;
    std::optional<BitmapOfSize> found;
};

BOOL CALLBACK NoteBitmapOfSize(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IS_INTRESOURCE(name)) return TRUE;
    HRSRC found = ::FindResourceW(module, name, RT_BITMAP);
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    const auto* bytes =
        size ? static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)))
             : nullptr;
    const std::optional<PackedBitmap> layout = ReadPackedBitmap(bytes, size);
    if (!layout || layout->width != search->size.width || layout->height != search->size.height)
        return TRUE;
    search->found = BitmapOfSize{static_cast<int>(reinterpret_cast<ULONG_PTR>(name)),
                                 layout->bitsPerPixel == 32, PixelsOf(bytes, *layout)};
    return FALSE;
}

std::uint32_t ChannelOf(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

} // namespace

std::optional<BitmapOfSize> FindBitmapOfSize(HMODULE module, PictureSize size) {
    Search search{size, std::nullopt};
    ::EnumResourceNamesW(module, RT_BITMAP, &NoteBitmapOfSize, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

std::uint32_t BlendedOver(std::uint32_t ground, std::uint32_t pixel) {
    const std::uint32_t transparency = 255 - ChannelOf(pixel, 24);
    std::uint32_t blended = 0xFF000000u;
    for (int shift : {0, 8, 16})
        blended |= (ChannelOf(pixel, shift) + (ChannelOf(ground, shift) * transparency + 127) / 255)
                   << shift;
    return blended;
}

Pixels OverGround(const Pixels& picture, COLORREF ground) {
    const std::uint32_t argb = 0xFF000000u | std::uint32_t{GetRValue(ground)} << 16 |
                               std::uint32_t{GetGValue(ground)} << 8 | GetBValue(ground);
    Pixels blended = picture;
    for (std::uint32_t& pixel : blended.argb)
        pixel = BlendedOver(argb, pixel);
    return blended;
}

int DifferingPixels(const Pixels& shown, const Pixels& expected, int tolerance) {
    if (shown.width != expected.width || shown.height != expected.height ||
        shown.argb.size() != expected.argb.size())
        return static_cast<int>(std::max(shown.argb.size(), expected.argb.size()));
    int differing = 0;
    for (std::size_t i = 0; i < shown.argb.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(int(ChannelOf(shown.argb[i], shift)) -
                         int(ChannelOf(expected.argb[i], shift))) > tolerance) {
                ++differing;
                break;
            }
    return differing;
}

std::wstring SizeText(const Pixels& pixels) {
    return std::to_wstring(pixels.width) + L"x" + std::to_wstring(pixels.height);
}

} // namespace qv::test
