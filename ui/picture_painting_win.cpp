#include "ui/picture_painting_win.h"

#include "base/handles_win.h"
#include "ui/packed_bitmap.h"

#include <cstring>
#include <optional>
#include <vector>

namespace qv {

namespace {

// A bitmap resource of the program, read where the system keeps it.
struct BitmapResource {
    const std::uint8_t* bytes = nullptr;
    PackedBitmap layout;
};

std::optional<BitmapResource> ReadBitmapResource(int id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    const auto* bytes =
        size ? static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)))
             : nullptr;
    const std::optional<PackedBitmap> layout = ReadPackedBitmap(bytes, size);
    if (!layout) return std::nullopt;
    return BitmapResource{bytes, *layout};
}

BITMAPINFO TopDownInfo(const Pixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels.width, -pixels.height, 1, 32, BI_RGB};
    return info;
}

bool CopyPixels(HDC dc, const RECT& area, const Pixels& pixels) {
    const BITMAPINFO info = TopDownInfo(pixels);
    return ::SetDIBitsToDevice(dc, area.left, area.top, pixels.width, pixels.height, 0, 0, 0,
                               pixels.height, pixels.argb.data(), &info, DIB_RGB_COLORS) != 0;
}

// AlphaBlend is gdi32's own GdiAlphaBlend: msimg32 only passes it on, and is not loaded for it.
bool BlendPixels(HDC dc, const RECT& area, const Pixels& pixels) {
    const BITMAPINFO info = TopDownInfo(pixels);
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!bitmap || !bits || !memory) return false;
    std::memcpy(bits, pixels.argb.data(), pixels.argb.size() * sizeof(std::uint32_t));
    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const bool drawn =
        ::GdiAlphaBlend(dc, area.left, area.top, pixels.width, pixels.height, memory.get(), 0, 0,
                        pixels.width, pixels.height, blend) != FALSE;
    ::SelectObject(memory.get(), previous);
    return drawn;
}

} // namespace

bool DrawArtwork(HDC dc, const RECT& area, const Artwork& art) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    std::vector<BitmapResource> bitmaps;
    std::vector<PictureSize> sizes;
    for (const int id : art)
        if (const std::optional<BitmapResource> bitmap = ReadBitmapResource(id)) {
            bitmaps.push_back(*bitmap);
            sizes.push_back({bitmap->layout.width, bitmap->layout.height});
        }
    if (bitmaps.empty()) return false;
    const BitmapResource& chosen = bitmaps[NearestSize(sizes, {width, height})];
    Pixels pixels = PixelsOf(chosen.bytes, chosen.layout);
    if (pixels.width != width || pixels.height != height)
        pixels = ScaleSmoothly(pixels, width, height);
    return chosen.layout.bitsPerPixel == 32 ? BlendPixels(dc, area, pixels)
                                            : CopyPixels(dc, area, pixels);
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
