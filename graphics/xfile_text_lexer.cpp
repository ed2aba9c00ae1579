#include "graphics/xfile_text_lexer.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Characters that end a name or a number.
bool endsWord(char c)
{
    switch (c) {
    case '{': case '}': case '[': case ']': case '<': case '>': case ';': case ',':
    case '"': case '(': case ')':
        return true;
    default:
        return isSpace(c);
    }
}

bool startsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

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
