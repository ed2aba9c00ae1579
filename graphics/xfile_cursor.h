#pragma once
// Walks the token stream of an X file body with one token of look-ahead: reads the members of
// data objects (numbers and strings, with the ; and , separators between them skipped, since
// writers place them differently), object headers, references, and skips whatever is not read.
// The look-ahead is taken only when needed, so that runs of numbers can come through the
// lexer's fast paths without a token each. Errors are sticky: the first one is kept, every
// later read fails.
#include <cstdint>
#include <string_view>

#include "graphics/xfile_lexer.h"

// What introduces one child inside an object's braces.
struct XChild {
    enum Kind { Object, Reference, Closed, Failed } kind = Failed;
    std::string_view type;   // Object: the template name ("Mesh")
    std::string_view name;   // Object: its optional name; Reference: the name referred to
};

class XCursor {
public:
    explicit XCursor(XLexer& lexer) : lexer_(lexer) {}

    bool ok() const { return status() == XReadStatus::Ok; }
    // The first failure: the lexer's, else the parser's.
    XReadStatus status() const;
    // Records a failure (the first one wins); returns false for `return cursor.fail(...)`.
    bool fail(XReadStatus why);

    // Data members. Each skips separators first.
    bool readUInt(uint32_t& value);
    bool readFloat(float& value);
    bool readFloats(float* values, size_t count);
    bool readUInts(uint32_t* values, size_t count) { return readIndices(values, count, uint64_t(UINT32_MAX) + 1); }
    // The lexer's integer run (see XLexer::integerRun) when no look-ahead token is pending.
    const uint8_t* integerRun(size_t& count)
    {
        count = 0;
        return loaded_ ? nullptr : lexer_.integerRun(count);
    }
    void skipIntegers(size_t n) { lexer_.skipIntegers(n); }
    // Reads `count` indices, each below `limit` (else BadIndex, reported where the first one
    // stands, as if they were read one by one).
    bool readIndices(uint32_t* values, size_t count, uint64_t limit);
    bool readString(std::string_view& value);
    // Reads an element count and checks that `numbersPerElement` numbers per element can
    // still follow in the input (else Truncated), so callers may allocate for it.
    bool readCount(uint32_t& count, uint32_t numbersPerElement);
    // The check of readCount for a count already read: false (Truncated) when it cannot fit.
    bool fitsInInput(uint32_t count, uint32_t numbersPerElement);

    // Next child of an object whose opening brace was read at `depth` (0 = top level, where
    // the end of the input closes and template definitions are skipped). Consumes the
    // child's header: type, name, '{' and GUID, or a whole reference { name [guid] }.
    XChild nextChild(int depth);
    // Skips the rest of an object whose opening brace was read at `depth`, up to and including
    // its closing brace; nested braces deeper than kXFileMaxNesting fail with TooDeep.
    bool skipBody(int depth);
    // Skips a whole "template Name { ... }" definition (the cursor is on "template").
    bool skipTemplate();

private:
    // The look-ahead token, read now if it was not yet.
    const XToken& token();
    void advance() { loaded_ = false; }
    void skipSeparators();
    bool endOfInput();
    XChild readReference();

    XLexer& lexer_;
    XToken token_;
    bool loaded_ = false;
    XReadStatus status_ = XReadStatus::Ok;
};
