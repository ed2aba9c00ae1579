#pragma once
// The Open Bitmap dialog: the user picks a BMP or PGM file. Loading it is the caller's work.
#include <windows.h>

#include <cstddef>
#include <string>

// Shows the common Open dialog (filters "BMP", "All", "PGM"; default extension "bmp") with an
// empty name buffer of `pathCapacity` characters, owned by `owner`. Returns the chosen path, or
// an empty string when the user cancelled or the dialog failed; a failure with a known
// extended error shows its name in the error box.
std::string chooseBitmapFile(HWND owner, size_t pathCapacity);
