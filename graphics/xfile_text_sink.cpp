#include "graphics/xfile_text_sink.h"

#include <charconv>
#include <cstring>

XTextSink::XTextSink(size_t expectedNumbers)
{
    bytes_.reserve(8192 + 14 * expectedNumbers);
    append("xof 0302txt 0032\n");
}

void XTextSink::append(std::string_view text)
{
    size_t at = bytes_.size();
    bytes_.resize(at + text.size());
    std::memcpy(bytes_.data() + at, text.data(), text.size());
}

void XTextSink::indentIfLineStart()
{
    if (lineStart_)
        bytes_.insert(bytes_.end(), size_t(depth_), ' ');
    lineStart_ = false;
}

void XTextSink::templates(const char* text)
{
    append(text);
    append("\n");
}

void XTextSink::open(std::string_view type)
{
    indentIfLineStart();
    append(type);
    append(" {");
    ++depth_;
    endLine();
}

void XTextSink::close()
{
    --depth_;
    indentIfLineStart();
    append("}");
    endLine();
}

void XTextSink::integer(uint32_t value)
{
    indentIfLineStart();
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    append(std::string_view(digits, size_t(result.ptr - digits)));
}

void XTextSink::real(float value)
{
    indentIfLineStart();
    char digits[32];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    append(std::string_view(digits, size_t(result.ptr - digits)));
}

void XTextSink::string(std::string_view value)
{
    indentIfLineStart();
    append("\"");
    // The text encoding has no escape: a quote inside (which only a binary file can hold)
    // would end the string early, so it is left out.
    for (char c : value) {
        if (c != '"')
            bytes_.push_back(uint8_t(c));
    }
    append("\";");
}

void XTextSink::separator(char c)
{
    bytes_.push_back(uint8_t(c));
}

void XTextSink::endLine()
{
    bytes_.push_back('\n');
    lineStart_ = true;
}
