#pragma once
// The words and numbers of the line-based text formats of Wavefront (OBJ meshes, MTL material
// libraries): lines without their comments, blank-separated words, numbers. Portable; every
// function reads only inside the range it is given.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// A run of characters [begin, end).
struct TextSpan {
    const char* begin = nullptr;
    const char* end = nullptr;

    bool empty() const { return begin == end; }
    size_t size() const { return size_t(end - begin); }
    bool is(const char* word) const
    {
        const size_t length = std::strlen(word);   // folded for the literals it is given
        return size() == length && std::memcmp(begin, word, length) == 0;
    }
    std::string text() const { return std::string(begin, end); }
};

// The lines of a file image, each without its line break and without a comment from '#' on.
class TextLines {
public:
    TextLines(const char* data, size_t size) : next_(data), end_(data + size) {}
    // The next line; false at the end of the image.
    bool next(TextSpan& line);
    // The number of the line last returned, from 1.
    uint32_t number() const { return number_; }

private:
    const char* next_;
    const char* end_;
    uint32_t number_ = 0;
};

// Blanks separate words; a line break ends the line before.
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
// Moves `rest` past its leading blanks; false when nothing else is left.
bool skipBlanks(TextSpan& rest);
// Takes the next blank-separated word off the front of `rest`; false when none is left.
bool takeWord(TextSpan& rest, TextSpan& word);
// Takes the next word off `rest` as readFloat reads it; false when none is left (`present`
// false) or the word is no finite number.
bool takeFloat(TextSpan& rest, float& value, bool& present);
// `rest` without blanks at either end (names that may hold blanks: files, groups).
TextSpan trimmed(TextSpan rest);

// A finite decimal float; false for anything else (NaN and infinities included).
bool readFloat(TextSpan word, float& value);
// A whole decimal number with an optional sign that fits in 32 bits.
bool readInteger(TextSpan word, int32_t& value);
// The same at `at`, which it moves past the number; whatever follows is left for the caller.
bool takeInteger(const char*& at, const char* end, int32_t& value);
