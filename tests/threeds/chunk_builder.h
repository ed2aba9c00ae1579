#pragma once
// Builds 3DS chunk files byte by byte, the way a test wants to lay them out, and reads back the
// files a test makes the program write.
#include <cstdint>
#include <string>
#include <vector>

class ChunkBuilder {
public:
    ChunkBuilder& u8(uint8_t value);
    ChunkBuilder& u16(uint16_t value);
    ChunkBuilder& u32(uint32_t value);
    ChunkBuilder& f32(float value);
    // The bytes of `text` and a zero byte.
    ChunkBuilder& text(const std::string& text);
    ChunkBuilder& bytes(const std::vector<uint8_t>& more);

    // Writes `id` and a length to be filled in by end(); returns the chunk's offset.
    size_t begin(uint16_t id);
    // Sets the length of the chunk begun at `offset` to reach the current end.
    void end(size_t offset);
    // A whole chunk around `contents`.
    ChunkBuilder& chunk(uint16_t id, const std::vector<uint8_t>& contents);

    // Overwrites four bytes at `offset` with `value`, low byte first.
    void patch32(size_t offset, uint32_t value);

    const std::vector<uint8_t>& data() const { return data_; }
    size_t size() const { return data_.size(); }

private:
    std::vector<uint8_t> data_;
};

void writeFileBytes(const std::string& name, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readFileBytes(const std::string& name);
// Lines of a text file, without their line ends; empty when the file does not exist.
std::vector<std::string> readTextLines(const std::string& name);
