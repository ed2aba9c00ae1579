#include "imagefile/bmp_rle.h"

#include <algorithm>

namespace {

// Escape codes after a zero count.
constexpr uint8_t EndOfLine = 0;
constexpr uint8_t EndOfBitmap = 1;
constexpr uint8_t Delta = 2;

class RleTarget {
public:
    RleTarget(int width, int height, uint8_t* indices)
        : width_(width), height_(height), indices_(indices) {}

    bool done() const { return y_ >= height_; }
    // Pixel k of a run or an absolute block; RLE4 packs two per byte, high half first.
    void put(uint8_t packed, int k, bool fourBits) {
        if (x_ < width_)
            indices_[size_t(y_) * size_t(width_) + size_t(x_)] =
                !fourBits ? packed : k % 2 ? packed & 0x0F : packed >> 4;
        x_ = std::min(x_ + 1, width_);
    }
    void nextLine() {
        x_ = 0;
        ++y_;
    }
    void move(int right, int up) {
        x_ = std::min(x_ + right, width_);
        y_ = std::min(y_ + up, height_);
    }

private:
    int width_, height_;
    uint8_t* indices_;
    int x_ = 0, y_ = 0;
};

} // namespace

void unpackRle(const uint8_t* data, size_t size, bool fourBits, int width, int height,
               uint8_t* indices) {
    RleTarget target(width, height, indices);
    size_t at = 0;
    while (!target.done() && size - at >= 2) {
        const uint8_t count = data[at], code = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                target.put(code, k, fourBits);
        } else if (code == EndOfLine) {
            target.nextLine();
        } else if (code == EndOfBitmap) {
            return;
        } else if (code == Delta) {
            if (size - at < 2)
                return;
            target.move(data[at], data[at + 1]);
            at += 2;
        } else {
            // An absolute block of `code` pixels, padded to a whole number of 16-bit words.
            const size_t bytes = fourBits ? (code + 1u) / 2 : code;
            if (bytes > size - at)
                return;
            for (int k = 0; k < code; ++k)
                target.put(data[at + size_t(fourBits ? k / 2 : k)], k, fourBits);
            at += std::min(bytes + bytes % 2, size - at);
        }
    }
}
