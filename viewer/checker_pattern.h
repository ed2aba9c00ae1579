#pragma once
// The checker shown in place of a bitmap: where the pane has none, or instead of it while the
// Checker item is checked, in the pane and on the mesh alike. Its squares divide the texture's
// unit square into kCheckerCells x kCheckerCells, so on the mesh each covers an eighth of u and
// of v, and stretching shows as squares drawn out of shape. Portable.
#include <cstdint>

#include "imagefile/rgb_image.h"

constexpr int kCheckerCells = 8;
// Pixels per side of the checker where no bitmap has given the pane a size.
constexpr int kCheckerSide = 256;
// As 0xRRGGBB; the square at the top left is light.
constexpr uint32_t kCheckerLight = 0xD0D0D0;
constexpr uint32_t kCheckerDark = 0x808080;

// Colour of pixel (x, y), counted from the top left, of a width x height checker.
uint32_t checkerColour(int x, int y, int width, int height);

// A width x height checker as 24-bit pixels. False when the image cannot be had.
bool makeChecker(int width, int height, RgbImage& image);
