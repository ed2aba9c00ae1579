#pragma once
// The pixels of one image window: a BMP or PGM file loaded into a device bitmap (the
// "loaded" bitmap) and the zoomed 24-bit copy the window draws (the "shown" bitmap). The
// window's size listener is told the window's size when a load begins and the shown image's
// size whenever it changes.
//
// Every failure the user must see goes through errorBox(); a file that cannot be used never
// replaces the bitmaps shown before.
#include <windows.h>
#include <cstdint>
#include "base/gdi_object_win.h"
#include "base/global_block_win.h"
#include "imagefile/image_size_listener.h"
#include "imagefile/pgm_image.h"
#include "imagefile/rgb_image.h"

class ImageBitmap {
public:
    static constexpr int FilePathSize = 246;
    // drawBitmap copies this many rows more than the bitmap has.
    static constexpr int CopiedExtraRows = 30;

    ImageBitmap() = default;
    ImageBitmap(const ImageBitmap&) = delete;
    ImageBitmap& operator=(const ImageBitmap&) = delete;

    // Stores `path` as the file path, then loads it by its name: a PNG, JPEG, TGA or DDS
    // name (any case) goes through loadPicture; else a path containing ".bmp" goes through
    // loadBmp; one containing ".pgm" through loadPgm and makeBitmapFromPgm. A failed picture or
    // BMP shows "Could not open File". The BMP and PGM tests are case-sensitive substring
    // tests, so "X.BMP" loads nothing and shows nothing.
    void openImageFile(HWND window, const char* path);

    // Loads a PNG, JPEG, TGA or DDS file as loadBmp loads a BMP. False, with the previous
    // bitmaps kept, when the file cannot be read or decoded.
    bool loadPicture(HWND window, const char* path);

    // Loads a BMP file of 1, 4, 8, 16, 24 or 32 bits into the loaded bitmap and a zoom-1.0
    // shown copy, reports the window's client area and the image's size, and repaints the
    // window. Returns false when the file is not a usable BMP or its memory cannot be had
    // (the caller shows "Could not open File"); the previous bitmaps then stay. Messages on
    // the way: "Error: INVALID_HANDLE_VALUE ", "ReadFile1 failed", the read-error names,
    // "CloseHandle failed", and when GDI makes no bitmap "**********Loading of Bitmap
    // failed**************" then "hbm == NULL, before the paint message is sent" (that case
    // returns true, clears the loaded flag and keeps the previous bitmaps).
    bool loadBmp(HWND window, const char* path);

    // Replaces the shown bitmap by a copy of the image zoomed by `factor` (nearest pixel,
    // sizes truncated; the loaded bitmap itself when the size stays) and reports its size. Returns 0, or -1 when nothing is loaded
    // or the copy cannot be made ("lpvBits == NULL"); the shown bitmap then stays as it was.
    int makeZoomedCopy(float factor);

    // Reports `window`'s client area, reads the PGM file into the embedded grey image and,
    // when that worked, takes its size and reports it. A short file counts as read (the rows
    // it had, the rest black) and shows its short-file message; an image over the size cap
    // shows "Insufficient memory for new image". Returns whether the file was read.
    bool loadPgm(HWND window, const char* path);

    // Shows the box "stop", then makes the loaded bitmap (grey repeated in blue, green, red,
    // the image's last row at the bitmap's bottom) and a zoom-1.0 shown copy from the grey
    // image last read. When the last read failed (but for an image over the size cap, which
    // has had its message) or GDI makes no bitmap it shows "CreateDIBitmap failed" and keeps
    // the previous bitmaps.
    void makeBitmapFromPgm(HWND window);

    // Copies `bitmap` onto `dc` at (x·scaleX − scrollX, y·scaleY − scrollY + extraY), at its
    // own width and its height plus CopiedExtraRows rows; (scrollX, scrollY) is the view's
    // offset, its scroll bars' positions. The two unused values are kept for the callers'
    // tile arithmetic. Returns false when no memory context could be made.
    bool drawBitmap(HDC dc, int x, int y, int unusedX, int unusedY, HBITMAP bitmap,
                    int scaleX, int scaleY, int extraY, int scrollX, int scrollY);

    // A new device bitmap of |width·factorX| x |height·factorY| (this image's size) holding
    // `bitmap` stretched over it. The caller owns it (DeleteObject). None on failure.
    HBITMAP stretchBitmap(HWND window, HBITMAP bitmap, float factorX, float factorY);

    // Frees the global block holding the last BMP file's body (info header, colour table,
    // pixels). Loading another BMP and the destructor do it as well.
    void releaseDibBlock();

    // Deletes the loaded and shown bitmaps and sets both to none: the window then draws no
    // picture until the next image is loaded. Width and height keep their values.
    void deleteBitmaps();

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    void setWidth(int value) { width = value; }
    void setHeight(int value) { height = value; }
    // 1 once a BMP produced a bitmap, 0 when it failed.
    uint8_t isLoaded() const { return loaded; }
    // Both owned by this object (never DeleteObject them); none before the first image. At a
    // zoom that leaves the size unchanged the shown bitmap is the loaded one itself.
    HBITMAP getLoadedBitmap() const { return loadedBitmap; }
    HBITMAP getShownBitmap() const { return zoomedCopy ? zoomedCopy : loadedBitmap; }
    const char* getFilePath() const { return filePath; }
    // Stores `path`, cut to FilePathSize - 1 characters, as the file path.
    void setFilePath(const char* path);
    const PgmImage& greyImage() const { return pgm; }
    // The loaded image's pixels, unzoomed (empty before the first image).
    const RgbImage& rgbPixels() const { return pixels; }

    // Who hears about the sizes (none by default); it must outlive this object.
    void setSizeListener(ImageSizeListener* listener) { sizeListener = listener; }

private:
    void reportViewportSize(HWND target);
    void reportImageSize(int imageWidth, int imageHeight);
    bool takeImage(HWND target, RgbImage& image);
    // After takeImage: marks the image loaded, repaints, reports its size, zooms it by 1.0.
    void showLoadedImage(HWND target);

    char filePath[FilePathSize] = {};
    ImageSizeListener* sizeListener = nullptr;
    HWND window = nullptr;
    GlobalBlock dibBlock; // the last BMP file's body
    size_t dibBlockSize = 0;
    GdiObject<HBITMAP> loadedBitmap;
    GdiObject<HBITMAP> zoomedCopy; // none while the loaded bitmap itself is shown
    uint8_t loaded = 0;
    int32_t width = 0;
    int32_t height = 0;
    PgmImage pgm;
    bool pgmRead = false; // the last PGM read gave rows to show
    RgbImage pixels; // the loaded image as 24-bit pixels, the source of every zoomed copy
};
