#include "imagefile/dib_section_win.h"

#include "base/device_context_win.h"
#include "base/gdi_object_win.h"

HBITMAP createDibSection(HWND window, int width, int height, uint8_t*& bits) {
    bits = nullptr;
    if (!isKeepableSize(width, height))
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as the pixels are stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(dibStride(width) * size_t(height));
    void* pixels = nullptr;
    GdiObject<HBITMAP> bitmap(
        CreateDIBSection(WindowDc(window), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!pixels)
        return nullptr;
    bits = static_cast<uint8_t*>(pixels);
    return bitmap.detach();
}

HBITMAP createBitmapFromPixels(HWND window, const RgbImage& image) {
    uint8_t* bits = nullptr;
    HBITMAP bitmap = createDibSection(window, image.width, image.height, bits);
    if (bitmap)
        copyToDibRows(image, bits);
    return bitmap;
}
