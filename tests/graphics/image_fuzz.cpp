// Fuzz harness for the image decoders. Built with clang and -fsanitize=fuzzer (define
// MAPWELL_LIBFUZZER) it is a libFuzzer target; built otherwise it replays the folders named on
// its command line: each file whole, every prefix of it and every single byte changed to 0x00
// and 0xFF, so that the seeds and the broken file run as a plain test under the sanitizers.
// Every image the decoders accept must hold together, and its texture levels must be makeable.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "graphics/dxt_decode.h"
#include "graphics/image_decode.h"
#include "graphics/mip_chain.h"

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "image fuzz: %s\n", what);
        std::abort();
    }
}

void checkLevels(const Image& image) {
    require(image.width > 0 && image.height > 0, "an empty image");
    require(image.pixels.size() == size_t(image.width) * image.height, "pixels not per size");
    if (size_t(image.width) * image.height <= 4096) {
        const std::vector<Image> levels = mipChain(image);
        require(levels.size() == mipLevelCount(levels[0].width, levels[0].height), "short chain");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage decoded;
    if (decodeImage(data, size, decoded) != ImageStatus::Ok) return 0;
    if (!decoded.compressed) {
        checkLevels(decoded.image);
        return 0;
    }
    const CompressedImage& blocks = decoded.blocks;
    require(!blocks.levels.empty(), "no levels");
    uint32_t width = blocks.width, height = blocks.height;
    for (const std::vector<uint8_t>& level : blocks.levels) {
        require(level.size() == compressedLevelBytes(blocks.format, width, height), "level size");
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    if (size_t(blocks.width) * blocks.height <= 4096)
        checkLevels(decodeBlocks(blocks.format, blocks.levels[0].data(), blocks.width, blocks.height));
    return 0;
}

#ifndef MAPWELL_LIBFUZZER
namespace {

// Runs one input from a buffer of exactly its size, so the sanitizer sees over-reads.
void runExact(const std::vector<uint8_t>& bytes, size_t size) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(copy.get(), bytes.data(), size);
    LLVMFuzzerTestOneInput(copy.get(), size);
}

void replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    runExact(bytes, bytes.size());
    for (size_t length = 0; length < bytes.size(); ++length) runExact(bytes, length);
    for (size_t at = 0; at < bytes.size(); ++at) {
        const uint8_t original = bytes[at];
        for (uint8_t changed : {uint8_t(0x00), uint8_t(0xFF)}) {
            bytes[at] = changed;
            runExact(bytes, bytes.size());
        }
        bytes[at] = original;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file()) {
                replay(entry.path());
                ++files;
            }
    std::printf("image fuzz: %d files replayed\n", files);
    return files > 0 ? 0 : 1;
}
#endif
