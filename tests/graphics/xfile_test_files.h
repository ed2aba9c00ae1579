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
    explicit XBinaryBuilder(const char* header = "xof 0302bin 0032") : bytes_(header, header + 16) {}

    XBinaryBuilder& token(uint16_t code)
    {
        put(code, 2);
        return *this;
    }
    XBinaryBuilder& name(const std::string& text)
    {
        token(xbin::Name).put(uint32_t(text.size()), 4);
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    // String with the 16-bit separator token after it, or the 32-bit form when `wide`.
    XBinaryBuilder& string(const std::string& text, bool wide = false)
    {
        token(xbin::String).put(uint32_t(text.size()), 4);
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return put(xbin::Semicolon, wide ? 4 : 2);
    }
    XBinaryBuilder& open(const std::string& type) { return name(type).token(xbin::OpenBrace); }
    XBinaryBuilder& close() { return token(xbin::CloseBrace); }
    XBinaryBuilder& integers(std::initializer_list<uint32_t> values)
    {
        token(xbin::IntegerList).put(uint32_t(values.size()), 4);
        for (uint32_t v : values)
            put(v, 4);
        return *this;
    }
    XBinaryBuilder& integer(uint32_t value) { return token(xbin::Integer).put(value, 4); }
    XBinaryBuilder& floats(std::initializer_list<float> values)
    {
        token(xbin::FloatList).put(uint32_t(values.size()), 4);
        for (float v : values) {
            uint32_t bits;
            std::memcpy(&bits, &v, 4);
            put(bits, 4);
        }
        return *this;
    }
    XBinaryBuilder& doubles(std::initializer_list<double> values)
    {
        token(xbin::FloatList).put(uint32_t(values.size()), 4);
        for (double v : values) {
            uint64_t bits;
            std::memcpy(&bits, &v, 8);
            put(bits, 8);
        }
        return *this;
    }
    XBinaryBuilder& raw(std::initializer_list<uint8_t> values)
    {
        bytes_.insert(bytes_.end(), values);
        return *this;
    }
    XBinaryBuilder& put(uint64_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            bytes_.push_back(uint8_t(value >> (8 * i)));
        return *this;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};
