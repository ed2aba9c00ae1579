#include "graphics/jpeg_check.h"

namespace {

// A byte of the file, 0 past its end (as stb_image reads it).
uint8_t byteAt(const uint8_t* data, size_t size, size_t at) { return at < size ? data[at] : 0; }

// Walks the tables of the DHT segment whose marker is at `at` the way stb_image does: after
// the length, tables of a class/id byte, 16 counts and that many symbols, while the length
// lasts.
bool isOversizedSegment(const uint8_t* data, size_t size, size_t at) {
    long remaining = long(byteAt(data, size, at + 2) << 8 | byteAt(data, size, at + 3)) - 2;
    at += 4;
    while (remaining > 0 && at < size) {
        const uint8_t classAndId = byteAt(data, size, at);
        if (classAndId >> 4 > 1 || (classAndId & 15) > 3) return false;  // stb_image stops
        long codes = 0;
        for (size_t i = 1; i <= 16; ++i) codes += byteAt(data, size, at + i);
        if (codes > 256) return true;
        remaining -= 17 + codes;
        at += 17 + size_t(codes);
    }
    return false;
}

}  // namespace

bool hasOversizedHuffmanTable(const uint8_t* data, size_t size) {
    // stb_image reads a run of FF bytes as one marker prefix, so FF FF FF D8 starts a JPEG too.
    size_t start = 0;
    while (start < size && data[start] == 0xFF) ++start;
    if (start == 0 || start >= size || data[start] != 0xD8) return false;
    // Every FF C4 in the file, wherever stb_image's own walk may find it: entropy-coded data
    // never holds one (an FF there is followed by 00 or a marker), so only a table or an
    // unlucky payload byte pair is looked at, and looking too often only refuses odd files.
    for (size_t at = start + 1; at + 1 < size; ++at)
        if (data[at] == 0xFF && data[at + 1] == 0xC4 && isOversizedSegment(data, size, at))
            return true;
    return false;
}
