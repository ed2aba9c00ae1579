#include "graphics/xfile_binary_lexer.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "graphics/xfile_binary_tokens.h"

namespace {

XToken tokenOf(XTokenKind kind)
{
    XToken token;
    token.kind = kind;
    return token;
}

} // namespace

bool XBinaryLexer::take(size_t n, const uint8_t*& at)
{
    if (n > size_t(end_ - pos_))
        return false;
    at = pos_;
    pos_ += n;
    return true;
}

bool XBinaryLexer::takeWord(uint16_t& value)
{
    const uint8_t* at = nullptr;
    if (!take(2, at))
        return false;
    value = uint16_t(at[0] | at[1] << 8);
    return true;
}

bool XBinaryLexer::takeDword(uint32_t& value)
{
    const uint8_t* at = nullptr;
    if (!take(4, at))
        return false;
    value = uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
    return true;
}

XToken XBinaryLexer::listElement()
{
    --listLeft_;
    XToken token;
    if (!listIsFloat_) {
        token.kind = XTokenKind::Integer;
        takeDword(token.integer);   // the list's size was checked when it started
        return token;
    }
    const uint8_t* at = nullptr;
    take(size_t(floatBytes_), at);
    token.kind = XTokenKind::Real;
    if (floatBytes_ == 4) {
        float value;
        std::memcpy(&value, at, 4);
        token.real = value;
    } else {
        std::memcpy(&token.real, at, 8);
    }
    return token;
}

XToken XBinaryLexer::counted(XTokenKind kind)
{
    uint32_t count;
    const uint8_t* at = nullptr;
    if (!takeDword(count) || !take(count, at))
        return fail(XReadStatus::Truncated);
    XToken token;
    token.kind = kind;
    token.text = std::string_view(reinterpret_cast<const char*>(at), count);
    return token;
}

// Writers differ in the width of a string's terminator: a plain 16-bit separator token (which
// the next call reads like any other), or the same code widened to 32 bits. A zero word can
// never start a token, so it marks the latter.
void XBinaryLexer::skipStringTerminator()
{
    if (end_ - pos_ < 4)
        return;
    uint16_t code = uint16_t(pos_[0] | pos_[1] << 8);
    if ((code == xbin::Semicolon || code == xbin::Comma) && pos_[2] == 0 && pos_[3] == 0)
        pos_ += 4;
}

bool XBinaryLexer::startList(bool floats)
{
    uint32_t count;
    if (!takeDword(count))
        return false;
    size_t width = floats ? size_t(floatBytes_) : 4;
    if (count > size_t(end_ - pos_) / width)
        return false;
    listLeft_ = count;
    listIsFloat_ = floats;
    return true;
}

// Reads the next token code, stepping over list headers (empty lists included) in a loop.
bool XBinaryLexer::nextCode(uint16_t& code)
{
    for (;;) {
        if (!takeWord(code))
            return false;
        if (code != xbin::IntegerList && code != xbin::FloatList)
            return true;
        if (!startList(code == xbin::FloatList))
            return false;
        if (listLeft_ > 0)
            return true;
    }
}

XToken XBinaryLexer::next()
{
    if (status_ != XReadStatus::Ok)
        return XToken{};
    if (listLeft_ > 0)
        return listElement();
    if (pos_ == end_)
        return XToken{};
    uint16_t code;
    if (!nextCode(code))
        return fail(XReadStatus::Truncated);
    if (listLeft_ > 0)
        return listElement();
    switch (code) {
    case xbin::Name:
        return counted(XTokenKind::Name);
    case xbin::String: {
        XToken token = counted(XTokenKind::String);
        skipStringTerminator();
        return token;
    }
    case xbin::Integer: {
        XToken token = tokenOf(XTokenKind::Integer);
        if (!takeDword(token.integer))
            return fail(XReadStatus::Truncated);
        return token;
    }
    case xbin::Guid: {
        const uint8_t* at = nullptr;
        if (!take(16, at))
            return fail(XReadStatus::Truncated);
        return tokenOf(XTokenKind::Guid);
    }
    case xbin::OpenBrace: return tokenOf(XTokenKind::OpenBrace);
    case xbin::CloseBrace: return tokenOf(XTokenKind::CloseBrace);
    case xbin::OpenBracket: return tokenOf(XTokenKind::OpenBracket);
    case xbin::CloseBracket: return tokenOf(XTokenKind::CloseBracket);
    case xbin::Comma: return tokenOf(XTokenKind::Comma);
    case xbin::Semicolon: return tokenOf(XTokenKind::Semicolon);
    case xbin::Template: return tokenOf(XTokenKind::Template);
    default:
        if ((code >= xbin::OpenParen && code <= xbin::Dot) || (code >= xbin::Word && code <= xbin::Array))
            return tokenOf(XTokenKind::Other);
        return fail(XReadStatus::Malformed);
    }
}

// Lists are little-endian, as both hosts are: whole runs are copied, then checked.
size_t XBinaryLexer::readUInts(uint32_t* values, size_t count)
{
    if (status_ != XReadStatus::Ok || listIsFloat_)
        return 0;
    size_t n = count < listLeft_ ? count : listLeft_;
    std::memcpy(values, pos_, 4 * n);
    pos_ += 4 * n;
    listLeft_ -= n;
    return n;
}

// Values no float can hold are left to next(), whose token the cursor refuses.
size_t XBinaryLexer::readFloats(float* values, size_t count)
{
    if (status_ != XReadStatus::Ok || !listIsFloat_)
        return 0;
    size_t n = count < listLeft_ ? count : listLeft_;
    size_t good = 0;
    if (floatBytes_ == 4) {
        std::memcpy(values, pos_, 4 * n);
        while (good < n && std::isfinite(values[good]))
            ++good;
    } else {
        for (; good < n; ++good) {
            double wide;
            std::memcpy(&wide, pos_ + 8 * good, 8);
            if (!(std::fabs(wide) <= double(FLT_MAX)))
                break;
            values[good] = float(wide);
        }
    }
    pos_ += size_t(floatBytes_) * good;
    listLeft_ -= good;
    return good;
}
