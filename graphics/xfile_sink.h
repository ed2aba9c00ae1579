#pragma once
// Where the X file writer puts a file's parts. The writer walks the mesh once and calls the
// same operations for both encodings: the text sink prints them with the separators, the
// binary sink packs numbers into integer and float lists and drops the separators.
#include <cstdint>
#include <string_view>
#include <vector>

class XSink {
public:
    virtual ~XSink() = default;
    // The standard template definitions, given in text form.
    virtual void templates(const char* text) = 0;
    virtual void open(std::string_view type) = 0;   // Type {
    virtual void close() = 0;                       // }
    virtual void integer(uint32_t value) = 0;
    virtual void real(float value) = 0;
    virtual void string(std::string_view value) = 0; // a STRING member with its ';'
    virtual void separator(char c) = 0;              // ';' or ',' of the text encoding
    virtual void endLine() = 0;
    // The finished file.
    virtual std::vector<uint8_t> take() = 0;
};
