#include "base/whole_file.h"

#include <new>

#include "base/stdio_file.h"

bool readWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    StdioFile file(path, "rb");
    if (!file || std::fseek(file, 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file);
    if (size < 0 || uint64_t(size) > maxBytes || std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    try {
        bytes.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size())
        return true;
    bytes.clear();
    return false;
}
