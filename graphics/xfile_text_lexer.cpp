#include "graphics/xfile_text_lexer.h"

#include <charconv>
#include <cmath>

#include "graphics/decimal_float.h"

namespace {

// What each character is to the lexer, looked up once per character.
enum CharClass : uint8_t { Space = 1, WordEnd = 2, Separator = 4, Digit = 8, NumberStart = 16 };

struct CharClasses {
    uint8_t of[256] = {};
    constexpr CharClasses()
    {
        for (unsigned char c : {' ', '\t', '\r', '\n', '\f', '\v'})
            of[c] |= Space | WordEnd;
        for (unsigned char c : {'{', '}', '[', ']', '<', '>', ';', ',', '"', '(', ')'})
            of[c] |= WordEnd;
        of[uint8_t(',')] |= Separator;
        of[uint8_t(';')] |= Separator;
        for (int c = '0'; c <= '9'; ++c)
            of[c] |= Digit | NumberStart;
        for (unsigned char c : {'-', '+', '.'})
            of[c] |= NumberStart;
    }
};

constexpr CharClasses kClasses;

bool is(char c, uint8_t classes) { return (kClasses.of[uint8_t(c)] & classes) != 0; }
bool isSpace(char c) { return is(c, Space); }
// Characters that end a name or a number.
bool endsWord(char c) { return is(c, WordEnd); }
bool startsNumber(char c) { return is(c, NumberStart); }
bool isDigit(char c) { return is(c, Digit); }

XToken punctuation(XTokenKind kind)
{
    XToken token;
    token.kind = kind;
    return token;
}

} // namespace

void XTextLexer::skipSpaceAndComments()
{
    while (pos_ != end_) {
        char c = *pos_;
        if (isSpace(c)) {
            ++pos_;
        } else if (c == '#' || (c == '/' && end_ - pos_ > 1 && pos_[1] == '/')) {
            while (pos_ != end_ && *pos_ != '\n')
                ++pos_;
        } else {
            return;
        }
    }
}

XToken XTextLexer::quoted(char close, XTokenKind kind)
{
    const char* start = ++pos_;
    while (pos_ != end_ && *pos_ != close)
        ++pos_;
    if (pos_ == end_)
        return fail(XReadStatus::Truncated);
    XToken token;
    token.kind = kind;
    token.text = std::string_view(start, size_t(pos_ - start));
    ++pos_;
    return token;
}

XToken XTextLexer::word()
{
    const char* start = pos_;
    while (pos_ != end_ && !endsWord(*pos_))
        ++pos_;
    XToken token;
    token.text = std::string_view(start, size_t(pos_ - start));
    if (startsNumber(*start))
        token.kind = XTokenKind::Number;
    else if (token.text == "template")
        token.kind = XTokenKind::Template;
    else
        token.kind = XTokenKind::Name;
    return token;
}

XToken XTextLexer::next()
{
    if (status_ != XReadStatus::Ok)
        return XToken{};
    skipSpaceAndComments();
    if (pos_ == end_)
        return XToken{};
    switch (*pos_) {
    case '{': ++pos_; return punctuation(XTokenKind::OpenBrace);
    case '}': ++pos_; return punctuation(XTokenKind::CloseBrace);
    case ',': ++pos_; return punctuation(XTokenKind::Comma);
    case ';': ++pos_; return punctuation(XTokenKind::Semicolon);
    case '[': ++pos_; return punctuation(XTokenKind::OpenBracket);
    case ']': ++pos_; return punctuation(XTokenKind::CloseBracket);
    case '(': case ')': case '>':
        ++pos_;
        return punctuation(XTokenKind::Other);
    case '"': return quoted('"', XTokenKind::String);
    case '<': return quoted('>', XTokenKind::Guid);
    default: return word();
    }
}

const char* XTextLexer::nextNumberStart() const
{
    const char* at = pos_;
    while (at != end_) {
        char c = *at;
        if (is(c, Space | Separator)) {
            ++at;
        } else if (c == '#' || (c == '/' && end_ - at > 1 && at[1] == '/')) {
            while (at != end_ && *at != '\n')
                ++at;
        } else {
            break;
        }
    }
    return at;
}

const char* XTextLexer::wordEnd(const char* from) const
{
    while (from != end_ && !endsWord(*from))
        ++from;
    return from;
}

// Plain decimal digits only; a sign, an overflow or anything glued to the digits is left to
// next(), whose token the cursor then takes or refuses.
size_t XTextLexer::readUInts(uint32_t* values, size_t count)
{
    if (status_ != XReadStatus::Ok)
        return 0;
    for (size_t n = 0; n < count; ++n) {
        const char* at = nextNumberStart();
        const char* start = at;
        uint64_t value = 0;
        while (at != end_ && isDigit(*at) && value <= UINT32_MAX) {
            value = value * 10 + uint64_t(*at - '0');
            ++at;
        }
        if (at == start || value > UINT32_MAX || (at != end_ && !endsWord(*at)))
            return n;
        values[n] = uint32_t(value);
        pos_ = at;
    }
    return count;
}

size_t XTextLexer::readFloats(float* values, size_t count)
{
    if (status_ != XReadStatus::Ok)
        return 0;
    for (size_t n = 0; n < count; ++n) {
        const char* start = nextNumberStart();
        if (start == end_ || !startsNumber(*start))
            return n;
        const char* end = wordEnd(start);
        const char* digits = *start == '+' ? start + 1 : start;
        if (!readPlainFloat(digits, end, values[n])) {
            auto result = std::from_chars(digits, end, values[n]);
            if (result.ec != std::errc() || result.ptr != end || !std::isfinite(values[n]))
                return n;
        }
        pos_ = end;
    }
    return count;
}
