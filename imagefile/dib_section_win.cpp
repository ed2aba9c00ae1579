#include "imagefile/dib_section_win.h"

#include <cstdint>

HBITMAP createBitmapFromPixels(HWND window, const RgbImage& image) {
    if (image.width < 1 || image.height < 1)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = image.height; // bottom-up, as the pixels are stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(dibStride(image.width) * image.height);
    HDC dc = GetDC(window);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(window, dc);
    if (bitmap && !bits) {
        DeleteObject(bitmap);
        return nullptr;
    }
    if (bitmap)
        copyToDibRows(image, static_cast<uint8_t*>(bits));
    return bitmap;
}
