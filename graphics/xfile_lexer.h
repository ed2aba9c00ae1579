#pragma once
// Token streams of an X file body (everything after the 16-byte header). The text and the
// binary encodings both come out as the same tokens, so one parser walks either. Number
// arrays of the binary encoding (integer and float lists) come out one element per token.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graphics/xfile_reader.h"

enum class XTokenKind : uint8_t {
    End,          // no more input (or a sticky error: see XLexer::status)
    Name,         // identifier; text holds it
    String,       // quoted string; text holds it without the quotes
    Number,       // text encoding: a number as written; text holds it
    Integer,      // binary encoding: integer holds it
    Real,         // binary encoding: real holds it
    Guid,         // <...>; text holds the text form (empty in binary)
    OpenBrace,
    CloseBrace,
    OpenBracket,  // [ and ] appear in template definitions only
    CloseBracket,
    Comma,
    Semicolon,
    Template,     // the keyword "template"
    Other         // other template-only tokens: parentheses, dots, type keywords
};

struct XToken {
    XTokenKind kind = XTokenKind::End;
    std::string_view text;
    uint32_t integer = 0;
    double real = 0;
};

class XLexer {
public:
    virtual ~XLexer() = default;
    // The next token; End at the end of the input and after any error.
    virtual XToken next() = 0;
    // Upper bound of the numbers that the rest of the input can still hold; callers compare
    // counts read from the file against it before allocating.
    virtual size_t maxNumbersLeft() const = 0;
    // Fast paths for the long runs of numbers that make up a mesh: read up to `count` numbers
    // (each after any separators) straight from the input, exactly as next() and the cursor
    // would read them, and stop before anything else (another token, a number written in an
    // unusual way, a value out of range, an error), leaving it for next(). Return how many
    // were read.
    virtual size_t readFloats(float* values, size_t count) = 0;
    virtual size_t readUInts(uint32_t* values, size_t count) = 0;
    // The rest of the binary integer list being read, as little-endian dwords straight from the
    // input, and their count (none in text, or when no such list is open); skipIntegers(n)
    // consumes n of them.
    virtual const uint8_t* integerRun(size_t& count)
    {
        count = 0;
        return nullptr;
    }
    virtual void skipIntegers(size_t) {}
    // Ok, or why the input stopped early (Truncated, Malformed).
    XReadStatus status() const { return status_; }

protected:
    XToken fail(XReadStatus why) {
        if (status_ == XReadStatus::Ok)
            status_ = why;
        return XToken{};
    }
    XReadStatus status_ = XReadStatus::Ok;
};
