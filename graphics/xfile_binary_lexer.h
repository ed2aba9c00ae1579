#pragma once
// Tokens of the binary encoding. Integer and float lists are handed out one element per
// token; floats are 4 or 8 bytes wide as the file header says.
#include "graphics/xfile_lexer.h"

class XBinaryLexer final : public XLexer {
public:
    XBinaryLexer(const uint8_t* begin, const uint8_t* end, int floatBytes)
        : pos_(begin), end_(end), floatBytes_(floatBytes) {}
    XToken next() override;
    size_t maxNumbersLeft() const override { return listLeft_ + size_t(end_ - pos_) / 4; }
    size_t readFloats(float* values, size_t count) override;
    size_t readUInts(uint32_t* values, size_t count) override;
    const uint8_t* integerRun(size_t& count) override
    {
        count = status_ == XReadStatus::Ok && !listIsFloat_ ? listLeft_ : 0;
        return pos_;
    }
    void skipIntegers(size_t n) override
    {
        pos_ += 4 * n;
        listLeft_ -= n;
    }

private:
    bool take(size_t n, const uint8_t*& at);
    bool takeWord(uint16_t& value);
    bool takeDword(uint32_t& value);
    XToken listElement();
    XToken counted(XTokenKind kind);
    bool startList(bool floats);
    bool nextCode(uint16_t& code);
    void skipStringTerminator();

    const uint8_t* pos_;
    const uint8_t* end_;
    int floatBytes_;
    size_t listLeft_ = 0;
    bool listIsFloat_ = false;
};
