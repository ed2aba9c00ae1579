#include "tests/threeds/chunk_builder.h"

size_t ChunkBuilder::begin(uint16_t id)
{
    const size_t offset = size();
    u16(id).u32(0);
    return offset;
}

void ChunkBuilder::end(size_t offset)
{
    patch32(offset + 2, uint32_t(size() - offset));
}

ChunkBuilder& ChunkBuilder::chunk(uint16_t id, const std::vector<uint8_t>& contents)
{
    u16(id).u32(uint32_t(contents.size() + 6)).bytes(contents);
    return *this;
}
