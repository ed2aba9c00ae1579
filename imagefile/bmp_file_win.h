#pragma once
// Reading a BMP file from disk: the 14-byte file header first, then the rest of the file into
// a global memory block, with the program's messages.
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include "base/global_block_win.h"
#include "imagefile/bmp_decode.h"

// Bodies above this are refused as memory the program cannot have.
constexpr size_t MaxBmpBodyBytes = size_t(512) << 20;

struct BmpFileContents {
    uint8_t header[BmpFileHeaderSize] = {};
    GlobalBlock body; // fixed block (GPTR) of bodySize bytes
    size_t bodySize = 0;
};

// Opens `path`, reads the file header and, when it starts with "BM", the body. Messages:
// "Error: INVALID_HANDLE_VALUE " when the file cannot be opened, "ReadFile1 failed" when the
// header cannot be read, a name for a failed body read ("Error Handle EOF", ...) and
// "CloseHandle failed". Returns false, holding no block, when the file is not "BM", is larger
// than MaxBmpBodyBytes or its memory cannot be had.
bool readBmpFile(const char* path, BmpFileContents& contents);
