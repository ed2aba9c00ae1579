#pragma once
// Little-endian bytes, one field at a time: the way tests lay out a file by hand so that it can
// lie in exactly the field a case is about.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteWriter {
public:
    ByteWriter& u8(uint8_t value);
    ByteWriter& u16(uint16_t value);
    ByteWriter& u32(uint32_t value);
    ByteWriter& u64(uint64_t value);
    ByteWriter& f32(float value);
    ByteWriter& f64(double value);
    // The bytes of `text`, without a zero byte.
    ByteWriter& chars(const std::string& text);
    // The bytes of `text` and a zero byte.
    ByteWriter& text(const std::string& text);
    ByteWriter& bytes(const std::vector<uint8_t>& more);

    // Overwrites the four bytes at `offset`, which must already be written.
    void patch32(size_t offset, uint32_t value);

    const std::vector<uint8_t>& data() const { return data_; }
    size_t size() const { return data_.size(); }

private:
    std::vector<uint8_t> data_;
};
