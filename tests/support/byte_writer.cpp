#include "tests/support/byte_writer.h"

#include <cstring>

ByteWriter& ByteWriter::u8(uint8_t value)
{
    data_.push_back(value);
    return *this;
}

ByteWriter& ByteWriter::u16(uint16_t value)
{
    return u8(uint8_t(value)).u8(uint8_t(value >> 8));
}

ByteWriter& ByteWriter::u32(uint32_t value)
{
    return u16(uint16_t(value)).u16(uint16_t(value >> 16));
}

ByteWriter& ByteWriter::u64(uint64_t value)
{
    return u32(uint32_t(value)).u32(uint32_t(value >> 32));
}

ByteWriter& ByteWriter::f32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return u32(bits);
}

ByteWriter& ByteWriter::f64(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return u64(bits);
}

ByteWriter& ByteWriter::chars(const std::string& text)
{
    data_.insert(data_.end(), text.begin(), text.end());
    return *this;
}

ByteWriter& ByteWriter::text(const std::string& text)
{
    return chars(text).u8(0);
}

ByteWriter& ByteWriter::bytes(const std::vector<uint8_t>& more)
{
    data_.insert(data_.end(), more.begin(), more.end());
    return *this;
}

void ByteWriter::patch32(size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data_.at(offset + i) = uint8_t(value >> (8 * i));
}
