#pragma once
// DXT1, DXT3 and DXT5 blocks to pixels, for devices without those formats and for sizes
// Direct3D cannot take compressed. Portable.
#include "graphics/image.h"

// Decodes one level of width x height whose blocks are `blocks` (compressedLevelBytes long).
Image decodeBlocks(BlockFormat format, const uint8_t* blocks, uint32_t width, uint32_t height);
