#include "tests/threeds/chunk_builder.h"

#include <cstring>
#include <fstream>
#include <iterator>

ChunkBuilder& ChunkBuilder::u8(uint8_t value)
{
    data_.push_back(value);
    return *this;
}

ChunkBuilder& ChunkBuilder::u16(uint16_t value)
{
    return u8(uint8_t(value & 0xFF)).u8(uint8_t(value >> 8));
}

ChunkBuilder& ChunkBuilder::u32(uint32_t value)
{
    return u16(uint16_t(value & 0xFFFF)).u16(uint16_t(value >> 16));
}

ChunkBuilder& ChunkBuilder::f32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return u32(bits);
}

ChunkBuilder& ChunkBuilder::text(const std::string& text)
{
    data_.insert(data_.end(), text.begin(), text.end());
    return u8(0);
}

ChunkBuilder& ChunkBuilder::bytes(const std::vector<uint8_t>& more)
{
    data_.insert(data_.end(), more.begin(), more.end());
    return *this;
}

size_t ChunkBuilder::begin(uint16_t id)
{
    const size_t offset = data_.size();
    u16(id).u32(0);
    return offset;
}

void ChunkBuilder::end(size_t offset)
{
    patch32(offset + 2, uint32_t(data_.size() - offset));
}

ChunkBuilder& ChunkBuilder::chunk(uint16_t id, const std::vector<uint8_t>& contents)
{
    u16(id).u32(uint32_t(contents.size() + 6));
    return bytes(contents);
}

void ChunkBuilder::patch32(size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data_.at(offset + i) = uint8_t(value >> (8 * i));
}

void writeFileBytes(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> readFileBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> readTextLines(const std::string& name)
{
    std::ifstream in(name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
