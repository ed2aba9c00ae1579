#pragma once
// Pictures of the kinds a mesh's texture comes in beside BMP and PGM (PNG, JPEG, TGA, DDS),
// decoded as the 3D view's textures are, into the pane's 24-bit pixels. Portable.
#include <cstddef>
#include <cstdint>

#include "imagefile/rgb_image.h"

// Whether the file name ends in ".png", ".jpg", ".jpeg", ".tga" or ".dds", in any case.
bool isPictureFileName(const char* path);

// The picture of a whole file image as bottom-up blue, green, red pixels: transparency is
// dropped, a DDS file gives its largest level. False, `out` unchanged, for a file that is
// not such a picture, is damaged, or is larger than the pane keeps.
bool decodePicture(const uint8_t* data, size_t size, RgbImage& out);
