#pragma once
// The words and numbers of the line-based text formats of Wavefront (OBJ meshes, MTL material
// libraries): lines without their comments, blank-separated words, numbers. Portable; every
// function reads only inside the range it is given.
#include <cstddef>
#include <cstdint>
#include <string>

// A run of characters [begin, end).
struct TextSpan {
    const char* begin = nullptr;
    const char* end = nullptr;

    bool empty() const { return begin == end; }
    size_t size() const { return size_t(end - begin); }
    bool is(const char* word) const;
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

// Takes the next blank-separated word off the front of `rest`; false when none is left.
bool takeWord(TextSpan& rest, TextSpan& word);
// `rest` without blanks at either end (names that may hold blanks: files, groups).
TextSpan trimmed(TextSpan rest);

// A finite decimal float; false for anything else (NaN and infinities included).
bool readFloat(TextSpan word, float& value);
// A whole decimal number with an optional sign that fits in 32 bits.
bool readInteger(TextSpan word, int32_t& value);
