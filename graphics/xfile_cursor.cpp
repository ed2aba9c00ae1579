#include "graphics/xfile_cursor.h"

#include <charconv>
#include <cfloat>
#include <cmath>

namespace {

std::string_view withoutPlus(std::string_view text)
{
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    return text;
}

bool parseUInt(std::string_view text, uint32_t& value)
{
    text = withoutPlus(text);
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// A number too small for a float (but not for a double) reads as zero; one too large is an
// error.
bool parseFloat(std::string_view text, float& value)
{
    text = withoutPlus(text);
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    if (result.ptr != end)
        return false;
    if (result.ec == std::errc::result_out_of_range) {
        double wide = 0;
        auto again = std::from_chars(text.data(), end, wide);
        if (again.ec != std::errc() || !(std::fabs(wide) < 1.0))
            return false;
        value = 0.0f;
        return true;
    }
    return result.ec == std::errc();
}

// Object names may start with a digit ("Frame 01_Box"), which the text lexer takes for
// the start of a number.
bool isObjectName(const XToken& token)
{
    return token.kind == XTokenKind::Name || token.kind == XTokenKind::Number;
}

} // namespace

const XToken& XCursor::token()
{
    if (!loaded_) {
        token_ = lexer_.next();
        loaded_ = true;
    }
    return token_;
}

XReadStatus XCursor::status() const
{
    return lexer_.status() != XReadStatus::Ok ? lexer_.status() : status_;
}

bool XCursor::fail(XReadStatus why)
{
    if (status_ == XReadStatus::Ok)
        status_ = why;
    return false;
}

// The input stopped: at the end of the file that is truncation; after a lexer error the
// lexer's reason is reported by status().
bool XCursor::endOfInput()
{
    return fail(XReadStatus::Truncated);
}

void XCursor::skipSeparators()
{
    while (token().kind == XTokenKind::Comma || token().kind == XTokenKind::Semicolon)
        advance();
}

bool XCursor::readUInt(uint32_t& value)
{
    if (!loaded_ && lexer_.readUInts(&value, 1) == 1)
        return true;
    skipSeparators();
    switch (token().kind) {
    case XTokenKind::Integer:
        value = token().integer;
        break;
    case XTokenKind::Number:
        if (!parseUInt(token().text, value))
            return fail(XReadStatus::Malformed);
        break;
    case XTokenKind::End:
        return endOfInput();
    default:
        return fail(XReadStatus::Malformed);
    }
    advance();
    return true;
}

bool XCursor::readFloat(float& value)
{
    if (!loaded_ && lexer_.readFloats(&value, 1) == 1)
        return true;
    skipSeparators();
    switch (token().kind) {
    case XTokenKind::Real:
        // Range first: converting a double beyond the float range is undefined.
        if (!(std::fabs(token().real) <= double(FLT_MAX)))
            return fail(XReadStatus::Malformed);
        value = float(token().real);
        break;
    case XTokenKind::Integer:
        value = float(token().integer);
        break;
    case XTokenKind::Number:
        if (!parseFloat(token().text, value))
            return fail(XReadStatus::Malformed);
        break;
    case XTokenKind::End:
        return endOfInput();
    default:
        return fail(XReadStatus::Malformed);
    }
    if (!std::isfinite(value))
        return fail(XReadStatus::Malformed);
    advance();
    return true;
}

bool XCursor::readFloats(float* values, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!loaded_)
            i += lexer_.readFloats(values + i, count - i);
        if (i < count && !readFloat(values[i]))
            return false;
    }
    return true;
}

bool XCursor::readIndices(uint32_t* values, size_t count, uint64_t limit)
{
    for (size_t i = 0; i < count; ++i) {
        size_t run = loaded_ ? 0 : lexer_.readUInts(values + i, count - i);
        for (size_t end = i + run; i < end; ++i) {
            if (values[i] >= limit)
                return fail(XReadStatus::BadIndex);
        }
        if (i == count)
            break;
        if (!readUInt(values[i]))
            return false;
        if (values[i] >= limit)
            return fail(XReadStatus::BadIndex);
    }
    return true;
}

bool XCursor::readString(std::string_view& value)
{
    skipSeparators();
    if (token().kind == XTokenKind::End)
        return endOfInput();
    if (token().kind != XTokenKind::String)
        return fail(XReadStatus::Malformed);
    value = token().text;
    advance();
    return true;
}

bool XCursor::readCount(uint32_t& count, uint32_t numbersPerElement)
{
    return readUInt(count) && fitsInInput(count, numbersPerElement);
}

bool XCursor::fitsInInput(uint32_t count, uint32_t numbersPerElement)
{
    if (numbersPerElement != 0 && count > lexer_.maxNumbersLeft() / numbersPerElement)
        return fail(XReadStatus::Truncated);
    return true;
}

XChild XCursor::readReference()
{
    XChild child;
    advance();
    if (isObjectName(token())) {
        child.name = token().text;
        advance();
    }
    if (token().kind == XTokenKind::Guid)
        advance();
    if (token().kind != XTokenKind::CloseBrace) {
        fail(token().kind == XTokenKind::End ? XReadStatus::Truncated : XReadStatus::Malformed);
        return XChild{};
    }
    advance();
    child.kind = XChild::Reference;
    return child;
}

XChild XCursor::nextChild(int depth)
{
    skipSeparators();
    while (depth == 0 && token().kind == XTokenKind::Template && ok()) {
        skipTemplate();
        skipSeparators();
    }
    XChild child;
    if (!ok())
        return child;
    switch (token().kind) {
    case XTokenKind::CloseBrace:
        if (depth == 0) {
            fail(XReadStatus::Malformed);
            return child;
        }
        advance();
        child.kind = XChild::Closed;
        return child;
    case XTokenKind::End:
        if (depth == 0 && ok())
            child.kind = XChild::Closed;
        else
            endOfInput();
        return child;
    case XTokenKind::OpenBrace:
        return readReference();
    case XTokenKind::Name:
        break;
    default:
        fail(XReadStatus::Malformed);
        return child;
    }
    if (depth + 1 > kXFileMaxNesting) {
        fail(XReadStatus::TooDeep);
        return child;
    }
    child.type = token().text;
    advance();
    if (isObjectName(token())) {
        child.name = token().text;
        advance();
    }
    if (token().kind != XTokenKind::OpenBrace) {
        fail(token().kind == XTokenKind::End ? XReadStatus::Truncated : XReadStatus::Malformed);
        return child;
    }
    advance();
    if (token().kind == XTokenKind::Guid)
        advance();
    child.kind = XChild::Object;
    return child;
}

bool XCursor::skipBody(int depth)
{
    int level = depth;
    while (ok()) {
        switch (token().kind) {
        case XTokenKind::End:
            return endOfInput();
        case XTokenKind::OpenBrace:
            if (++level > kXFileMaxNesting)
                return fail(XReadStatus::TooDeep);
            break;
        case XTokenKind::CloseBrace:
            if (--level < depth) {
                advance();
                return true;
            }
            break;
        default:
            break;
        }
        advance();
    }
    return false;
}

bool XCursor::skipTemplate()
{
    advance();
    if (token().kind == XTokenKind::Name)
        advance();
    if (token().kind != XTokenKind::OpenBrace)
        return fail(token().kind == XTokenKind::End ? XReadStatus::Truncated : XReadStatus::Malformed);
    advance();
    return skipBody(1);
}
