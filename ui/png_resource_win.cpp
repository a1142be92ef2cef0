#include "ui/png_resource_win.h"

#include <cstring>

namespace qv {

GdiPlusSession::GdiPlusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiPlusSession::~GdiPlusSession() {
    if (token_) gdiplus::GdiplusShutdown(token_);
}

bool LoadPngResource(int resourceId, PngImage& image) {
    image.bitmap_.reset();
    image.stream_.reset();
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    const DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    const void* bytes = size ? ::LockResource(::LoadResource(module, resource)) : nullptr;
    if (!bytes) return false;

    // The stream owns a copy of the bytes, in memory it frees with itself.
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* copy = memory ? ::GlobalLock(memory) : nullptr;
    if (!copy) {
        if (memory) ::GlobalFree(memory);
        return false;
    }
    std::memcpy(copy, bytes, size);
    ::GlobalUnlock(memory);
    if (FAILED(com::CreateStreamOnHGlobal(memory, TRUE, image.stream_.put()))) {
        ::GlobalFree(memory);
        return false;
    }
    gdiplus::GpBitmap* bitmap = nullptr;
    const bool decoded =
        gdiplus::GdipCreateBitmapFromStream(image.stream_.get(), &bitmap) == Gdiplus::Ok;
    image.bitmap_.reset(bitmap);
    if (!decoded || !image.bitmap_) {
        image.bitmap_.reset();
        return false;
    }
    return true;
}

} // namespace qv
