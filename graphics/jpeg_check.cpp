#include "graphics/jpeg_check.h"

namespace {

const uint8_t kDefineHuffmanTables = 0xC4, kStartOfScan = 0xDA, kEndOfImage = 0xD9;

bool isRestartOrStandalone(uint8_t marker) {
    return (marker >= 0xD0 && marker <= 0xD8) || marker == 0x01 || marker == 0xFF;
}

// The tables of one DHT segment: class/id byte, 16 counts, then that many symbols each.
bool isOversizedTableSegment(const uint8_t* segment, size_t length) {
    size_t at = 0;
    while (at < length) {
        if (length - at < 17) return true;
        size_t codes = 0;
        for (int i = 1; i <= 16; ++i) codes += segment[at + i];
        if (codes > 256 || codes > length - at - 17) return true;
        at += 17 + codes;
    }
    return false;
}

// After a scan's header the entropy-coded data runs to the next marker that is neither a
// stuffed zero nor a restart.
size_t skipEntropyData(const uint8_t* data, size_t size, size_t at) {
    while (at + 1 < size && !(data[at] == 0xFF && data[at + 1] != 0 &&
                              !(data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7)))
        ++at;
    return at;
}

}  // namespace

bool hasOversizedHuffmanTable(const uint8_t* data, size_t size) {
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return false;
    size_t at = 2;
    while (size - at >= 4) {
        if (data[at] != 0xFF) return false;  // not a marker: stb_image rejects the file itself
        const uint8_t marker = data[at + 1];
        if (marker == kEndOfImage) return false;
        if (isRestartOrStandalone(marker)) {
            ++at;
            continue;
        }
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        if (length < 2 || length - 2 > size - at - 4) return false;
        if (marker == kDefineHuffmanTables && isOversizedTableSegment(data + at + 4, length - 2))
            return true;
        at += 2 + length;
        if (marker == kStartOfScan) at = skipEntropyData(data, size, at);
    }
    return false;
}
