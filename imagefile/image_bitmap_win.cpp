#include "imagefile/image_bitmap_win.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include "base/device_context_win.h"
#include "base/selected_object_win.h"
#include "base/whole_file.h"
#include "imagefile/bmp_file_win.h"
#include "imagefile/dib_section_win.h"
#include "imagefile/picture_decode.h"
#include "threeds/diagnostics.h"

namespace {

// size · factor truncated toward zero, or -1 when it leaves the int range.
int scaledSize(int size, float factor) {
    const double scaled = std::trunc(double(size) * double(factor));
    return std::fabs(scaled) < 2147483647.0 ? static_cast<int>(scaled) : -1;
}

void repaintNow(HWND window, BOOL erase) {
    InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
}

} // namespace

void ImageBitmap::deleteBitmaps() {
    zoomedCopy.reset();
    loadedBitmap.reset();
    loaded = 0;
    pixels = RgbImage{};
}

void ImageBitmap::setFilePath(const char* path) {
    if (path == filePath)
        return;
    const size_t length = strnlen(path, FilePathSize - 1);
    std::memmove(filePath, path, length);
    filePath[length] = '\0';
}

void ImageBitmap::openImageFile(HWND target, const char* path) {
    setFilePath(path);
    if (isPictureFileName(path)) {
        if (!loadPicture(target, path))
            errorBox("Could not open File");
        return;
    }
    if (std::strstr(path, ".bmp") && !loadBmp(target, path))
        errorBox("Could not open File");
    if (std::strstr(path, ".pgm")) {
        loadPgm(target, path);
        makeBitmapFromPgm(target);
    }
}

bool ImageBitmap::loadBmp(HWND target, const char* path) {
    window = target;
    reportViewportSize(target);
    BmpFileContents contents;
    if (!readBmpFile(path, contents))
        return false;
    RgbImage image;
    const BmpStatus status = decodeBmpBody(static_cast<const uint8_t*>(contents.body.fixedMemory()),
                                           contents.bodySize, image);
    if (status != BmpStatus::Ok)
        return false;
    releaseDibBlock();
    dibBlock = std::move(contents.body);
    dibBlockSize = contents.bodySize;

    if (!takeImage(target, image)) {
        errorBox("**********Loading of Bitmap failed**************");
        errorBox("hbm == NULL, before the paint message is sent");
        loaded = 0;
        return true;
    }
    showLoadedImage(target);
    return true;
}

void ImageBitmap::showLoadedImage(HWND target) {
    loaded = 1;
    repaintNow(target, TRUE);
    reportImageSize(width, height);
    makeZoomedCopy(1.0f);
    InvalidateRect(target, nullptr, FALSE);
}

bool ImageBitmap::loadPicture(HWND target, const char* path) {
    window = target;
    reportViewportSize(target);
    std::vector<uint8_t> bytes;
    RgbImage image;
    if (!readWholeFile(path, MaxImageBytes, bytes) ||
        !decodePicture(bytes.data(), bytes.size(), image) || !takeImage(target, image))
        return false;
    showLoadedImage(target);
    return true;
}

int ImageBitmap::makeZoomedCopy(float factor) {
    if (!loadedBitmap)
        return -1;
    const int zoomedWidth = scaledSize(width, factor);
    const int zoomedHeight = scaledSize(height, factor);
    if (zoomedWidth == pixels.width && zoomedHeight == pixels.height) {
        // Unzoomed: the loaded bitmap already holds exactly these pixels.
        zoomedCopy.reset();
        reportImageSize(zoomedWidth, zoomedHeight);
        return 0;
    }
    uint8_t* rows = nullptr;
    GdiObject<HBITMAP> bitmap(createDibSection(window, zoomedWidth, zoomedHeight, rows));
    if (!bitmap) {
        errorBox("lpvBits == NULL");
        return -1;
    }
    zoomNearestInto(pixels, zoomedWidth, zoomedHeight, rows, dibStride(zoomedWidth));
    zoomedCopy = std::move(bitmap);
    reportImageSize(zoomedWidth, zoomedHeight);
    return 0;
}

bool ImageBitmap::loadPgm(HWND target, const char* path) {
    window = target;
    reportViewportSize(target);
    pgm.read(path);
    // A short file shows the rows it had, and the user hears why the rest is black; an image
    // too large to keep is said so in words of its own.
    const PgmImage::Outcome outcome = pgm.lastOutcome();
    if (outcome == PgmImage::Outcome::Short || outcome == PgmImage::Outcome::TooLarge)
        errorBox(pgm.lastMessage().c_str());
    pgmRead = outcome == PgmImage::Outcome::Whole || outcome == PgmImage::Outcome::Short;
    if (pgmRead) {
        width = pgm.getColumns();
        height = pgm.getRows();
        reportImageSize(width, height);
    }
    return pgmRead;
}

void ImageBitmap::makeBitmapFromPgm(HWND target) {
    errorBox("stop");
    if (pgm.lastOutcome() == PgmImage::Outcome::TooLarge)
        return;   // it has had its message
    RgbImage image;
    if (!pgmRead || !rgbFromPgm(pgm, image) || !takeImage(target, image)) {
        errorBox("CreateDIBitmap failed");
        return;
    }
    reportImageSize(width, height);
    makeZoomedCopy(1.0f);
    InvalidateRect(target, nullptr, FALSE);
}

bool ImageBitmap::drawBitmap(HDC dc, int x, int y, int, int, HBITMAP bitmap, int scaleX,
                             int scaleY, int extraY, int scrollX, int scrollY) {
    MemoryDc memory(dc);
    if (!memory)
        return false;
    SelectedObject selection(memory, bitmap);
    SetMapMode(memory, GetMapMode(dc));
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    POINT size = {info.bmWidth, info.bmHeight};
    DPtoLP(dc, &size, 1);
    const int targetX = x * scaleX - scrollX;
    const int targetY = y * scaleY - scrollY + extraY;
    BitBlt(dc, targetX, targetY, size.x, size.y + CopiedExtraRows, memory, 0, 0, SRCCOPY);
    return true;
}

HBITMAP ImageBitmap::stretchBitmap(HWND target, HBITMAP bitmap, float factorX, float factorY) {
    const int newWidth = std::abs(scaledSize(width, factorX));
    const int newHeight = std::abs(scaledSize(height, factorY));
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    WindowDc windowDc(target);
    MemoryDc source(windowDc);
    MemoryDc destination(windowDc);
    HBITMAP stretched = CreateCompatibleBitmap(windowDc, newWidth, newHeight);
    if (source && destination && stretched) {
        SelectedObject from(source, bitmap);
        SelectedObject to(destination, stretched);
        SetStretchBltMode(destination, COLORONCOLOR);
        StretchBlt(destination, 0, 0, newWidth, newHeight, source, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    }
    return stretched;
}

void ImageBitmap::releaseDibBlock() {
    dibBlock.reset();
    dibBlockSize = 0;
}

void ImageBitmap::reportViewportSize(HWND target) {
    RECT client = {};
    GetClientRect(target, &client);
    if (sizeListener)
        sizeListener->viewportSized(client.right, client.bottom);
}

void ImageBitmap::reportImageSize(int imageWidth, int imageHeight) {
    if (sizeListener)
        sizeListener->imageSized(imageWidth, imageHeight);
}

// Makes the loaded bitmap from `image` and, until a zoomed copy replaces it, shows it as it
// is. On failure nothing changes.
bool ImageBitmap::takeImage(HWND target, RgbImage& image) {
    GdiObject<HBITMAP> bitmap(createBitmapFromPixels(target, image));
    if (!bitmap)
        return false;
    window = target;
    zoomedCopy.reset();
    loadedBitmap = std::move(bitmap);
    width = image.width;
    height = image.height;
    pixels = std::move(image);
    return true;
}
