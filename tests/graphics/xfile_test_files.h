#pragma once
// Helpers for the X file suites: text files from a body, binary files token by token, and
// reading either from memory (in a fresh buffer of exactly the file's size, so the
// sanitizers see any read past its end).
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "graphics/xfile_binary_tokens.h"
#include "graphics/xfile_reader.h"
#include "tests/support/byte_writer.h"

inline std::vector<uint8_t> bytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::vector<uint8_t> textXFile(const std::string& body, const char* header = "xof 0302txt 0032\n")
{
    return bytesOf(header + body);
}

inline XReadStatus readBytes(const std::vector<uint8_t>& bytes, MeshContent& out)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
    if (!bytes.empty())
        std::memcpy(exact.get(), bytes.data(), bytes.size());
    return readXFile(exact.get(), bytes.size(), out);
}

inline XReadStatus readText(const std::string& body, MeshContent& out)
{
    return readBytes(textXFile(body), out);
}

// Builds a binary X file token by token.
class XBinaryBuilder {
public:
    explicit XBinaryBuilder(const char* header = "xof 0302bin 0032") { bytes_.chars(std::string(header, 16)); }

    XBinaryBuilder& token(uint16_t code)
    {
        bytes_.u16(code);
        return *this;
    }
    XBinaryBuilder& name(const std::string& text)
    {
        token(xbin::Name).bytes_.u32(uint32_t(text.size())).chars(text);
        return *this;
    }
    // String with the 16-bit separator token after it, or the 32-bit form when `wide`.
    XBinaryBuilder& string(const std::string& text, bool wide = false)
    {
        token(xbin::String).bytes_.u32(uint32_t(text.size())).chars(text);
        return wide ? u32(xbin::Semicolon) : token(xbin::Semicolon);
    }
    XBinaryBuilder& open(const std::string& type) { return name(type).token(xbin::OpenBrace); }
    XBinaryBuilder& close() { return token(xbin::CloseBrace); }
    XBinaryBuilder& integers(std::initializer_list<uint32_t> values)
    {
        token(xbin::IntegerList).u32(uint32_t(values.size()));
        for (uint32_t v : values)
            u32(v);
        return *this;
    }
    XBinaryBuilder& integer(uint32_t value) { return token(xbin::Integer).u32(value); }
    XBinaryBuilder& floats(std::initializer_list<float> values)
    {
        token(xbin::FloatList).u32(uint32_t(values.size()));
        for (float v : values)
            bytes_.f32(v);
        return *this;
    }
    XBinaryBuilder& doubles(std::initializer_list<double> values)
    {
        token(xbin::FloatList).u32(uint32_t(values.size()));
        for (double v : values)
            bytes_.f64(v);
        return *this;
    }
    XBinaryBuilder& raw(std::initializer_list<uint8_t> values)
    {
        bytes_.bytes(values);
        return *this;
    }
    // Raw little-endian fields, outside any token.
    XBinaryBuilder& u32(uint32_t value)
    {
        bytes_.u32(value);
        return *this;
    }
    XBinaryBuilder& u64(uint64_t value)
    {
        bytes_.u64(value);
        return *this;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_.data(); }

private:
    ByteWriter bytes_;
};
