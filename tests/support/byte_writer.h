#pragma once
// Little-endian bytes, one field at a time: the way tests lay out a file by hand so that it can
// lie in exactly the field a case is about.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ByteWriter {
public:
    ByteWriter& u8(uint8_t value) { return bytes({value}); }
    ByteWriter& u16(uint16_t value) { return u8(uint8_t(value)).u8(uint8_t(value >> 8)); }
    ByteWriter& u32(uint32_t value) { return u16(uint16_t(value)).u16(uint16_t(value >> 16)); }
    ByteWriter& f32(float value)
    {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return u32(bits);
    }
    // The bytes of `text`, without a zero byte.
    ByteWriter& chars(const std::string& text) { return bytes({text.begin(), text.end()}); }
    // The bytes of `text` and a zero byte.
    ByteWriter& text(const std::string& text) { return chars(text).u8(0); }
    ByteWriter& bytes(const std::vector<uint8_t>& more)
    {
        data_.insert(data_.end(), more.begin(), more.end());
        return *this;
    }
    // Overwrites the four bytes at `offset`, which must already be written.
    void patch32(size_t offset, uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            data_.at(offset + i) = uint8_t(value >> (8 * i));
    }

    const std::vector<uint8_t>& data() const { return data_; }
    size_t size() const { return data_.size(); }

private:
    std::vector<uint8_t> data_;
};
