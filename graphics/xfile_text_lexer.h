#pragma once
// Tokens of the text encoding: names, numbers, "strings", <guids>, braces and separators,
// with # and // comments skipped. Tokens point into the caller's buffer; nothing is copied.
#include "graphics/xfile_lexer.h"

class XTextLexer final : public XLexer {
public:
    XTextLexer(const char* begin, const char* end) : pos_(begin), end_(end) {}
    XToken next() override;
    size_t maxNumbersLeft() const override { return size_t(end_ - pos_); }
    size_t readFloats(float* values, size_t count) override;
    size_t readUInts(uint32_t* values, size_t count) override;

private:
    void skipSpaceAndComments();
    // Where the next number would start: past spaces, comments and separators.
    const char* nextNumberStart() const;
    const char* wordEnd(const char* from) const;
    XToken quoted(char close, XTokenKind kind);
    XToken word();

    const char* pos_;
    const char* end_;
};
