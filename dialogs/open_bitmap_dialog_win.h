#pragma once
// The Open Bitmap dialog: the user picks a BMP or PGM file, which is loaded into the bitmap
// object at once.
#include <windows.h>
#include <string>

class ImageBitmap;

// Shows the common Open dialog (filters "BMP", "All", "PGM"; default extension "bmp") with
// the bitmap's file path as its name buffer, owned by `owner`. A chosen path containing
// ".bmp" is opened as an image file, then one containing ".pgm" is loaded as PGM (both tests
// case-sensitive). Returns the chosen path, or an empty string when the user cancelled or the
// dialog failed; a failure with a known extended error shows its name in the error box.
std::string openBitmap(ImageBitmap& bitmap, HWND owner);
