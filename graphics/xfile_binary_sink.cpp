#include "graphics/xfile_binary_sink.h"

#include <charconv>
#include <cstring>

#include "graphics/xfile_binary_tokens.h"
#include "graphics/xfile_text_lexer.h"

namespace {

struct Keyword {
    const char* text;
    uint16_t token;
};

constexpr Keyword kKeywords[] = {
    {"WORD", xbin::Word},    {"DWORD", xbin::Dword},   {"FLOAT", xbin::Float},
    {"DOUBLE", xbin::Double}, {"CHAR", xbin::Char},     {"UCHAR", xbin::Uchar},
    {"SWORD", xbin::Sword},  {"SDWORD", xbin::Sdword}, {"void", xbin::Void},
    {"STRING", xbin::Lpstr}, {"UNICODE", xbin::Unicode}, {"CSTRING", xbin::Cstring},
    {"array", xbin::Array},
};

uint32_t numberValue(std::string_view digits, int base)
{
    uint32_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    return value;
}

uint32_t hexValue(std::string_view digits)
{
    return numberValue(digits, 16);
}

} // namespace

XBinarySink::XBinarySink(size_t expectedNumbers)
{
    bytes_.reserve(4096 + 4 * expectedNumbers);
    const char header[] = "xof 0302bin 0032";
    bytes_.insert(bytes_.end(), header, header + 16);
}

void XBinarySink::word(uint16_t value)
{
    size_t at = bytes_.size();
    bytes_.resize(at + 2);
    bytes_[at] = uint8_t(value);
    bytes_[at + 1] = uint8_t(value >> 8);
}

void XBinarySink::dword(uint32_t value)
{
    size_t at = bytes_.size();
    bytes_.resize(at + 4);
    for (int i = 0; i < 4; ++i)
        bytes_[at + size_t(i)] = uint8_t(value >> (8 * i));
}

void XBinarySink::counted(uint16_t token, std::string_view text)
{
    word(token);
    dword(uint32_t(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

// GUID text "3D82AB43-62DA-11cf-AB39-0020AF71E433" as 16 bytes: a 32-bit and two 16-bit
// little-endian fields, then eight bytes in order.
void XBinarySink::guid(std::string_view text)
{
    word(xbin::Guid);
    if (text.size() != 36) {
        bytes_.insert(bytes_.end(), 16, 0);
        return;
    }
    dword(hexValue(text.substr(0, 8)));
    word(uint16_t(hexValue(text.substr(9, 4))));
    word(uint16_t(hexValue(text.substr(14, 4))));
    for (size_t at : {19, 21, 24, 26, 28, 30, 32, 34})
        bytes_.push_back(uint8_t(hexValue(text.substr(at, 2))));
}

void XBinarySink::templates(const char* text)
{
    flush();
    XTextLexer lexer(text, text + std::strlen(text));
    for (XToken token = lexer.next(); token.kind != XTokenKind::End; token = lexer.next()) {
        switch (token.kind) {
        case XTokenKind::Template: word(xbin::Template); break;
        case XTokenKind::OpenBrace: word(xbin::OpenBrace); break;
        case XTokenKind::CloseBrace: word(xbin::CloseBrace); break;
        case XTokenKind::OpenBracket: word(xbin::OpenBracket); break;
        case XTokenKind::CloseBracket: word(xbin::CloseBracket); break;
        case XTokenKind::Semicolon: word(xbin::Semicolon); break;
        case XTokenKind::Comma: word(xbin::Comma); break;
        case XTokenKind::Guid: guid(token.text); break;
        case XTokenKind::Number:
            if (token.text == "...") {
                for (int dot = 0; dot < 3; ++dot)
                    word(xbin::Dot);
            } else {
                word(xbin::Integer);
                dword(numberValue(token.text, 10));
            }
            break;
        case XTokenKind::Name: {
            uint16_t keyword = 0;
            for (const Keyword& k : kKeywords) {
                if (token.text == k.text)
                    keyword = k.token;
            }
            if (keyword != 0)
                word(keyword);
            else
                counted(xbin::Name, token.text);
            break;
        }
        default:
            break;
        }
    }
}

void XBinarySink::startList(List kind)
{
    if (list_ == kind)
        return;
    flush();
    word(kind == List::Integers ? xbin::IntegerList : xbin::FloatList);
    listCountAt_ = bytes_.size();
    dword(0);
    list_ = kind;
    listCount_ = 0;
}

void XBinarySink::flush()
{
    if (list_ == List::None)
        return;
    for (int i = 0; i < 4; ++i)
        bytes_[listCountAt_ + size_t(i)] = uint8_t(listCount_ >> (8 * i));
    list_ = List::None;
}

void XBinarySink::open(std::string_view type)
{
    flush();
    counted(xbin::Name, type);
    word(xbin::OpenBrace);
}

void XBinarySink::close()
{
    flush();
    word(xbin::CloseBrace);
}

void XBinarySink::integer(uint32_t value)
{
    startList(List::Integers);
    dword(value);
    ++listCount_;
}

void XBinarySink::real(float value)
{
    startList(List::Floats);
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    dword(bits);
    ++listCount_;
}

void XBinarySink::string(std::string_view value)
{
    flush();
    counted(xbin::String, value);
    word(xbin::Semicolon);
}

std::vector<uint8_t> XBinarySink::take()
{
    flush();
    return std::move(bytes_);
}
