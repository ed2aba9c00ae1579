#include "imagefile/dib_section_win.h"

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
    HDC dc = GetDC(window);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    ReleaseDC(window, dc);
    if (bitmap && !pixels) {
        DeleteObject(bitmap);
        return nullptr;
    }
    bits = static_cast<uint8_t*>(pixels);
    return bitmap;
}

HBITMAP createBitmapFromPixels(HWND window, const RgbImage& image) {
    uint8_t* bits = nullptr;
    HBITMAP bitmap = createDibSection(window, image.width, image.height, bits);
    if (bitmap)
        copyToDibRows(image, bits);
    return bitmap;
}
