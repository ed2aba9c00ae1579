#include "graphics/obj_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/decimal_float.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// Longer words are no number a modelling tool writes; they are refused rather than copied.
const size_t kLongestNumber = 64;

} // namespace

bool TextSpan::is(const char* word) const
{
    const size_t length = std::strlen(word);
    return size() == length && std::memcmp(begin, word, length) == 0;
}

bool TextLines::next(TextSpan& line)
{
    if (next_ == end_)
        return false;
    const char* lineEnd = static_cast<const char*>(std::memchr(next_, '\n', size_t(end_ - next_)));
    if (!lineEnd)
        lineEnd = end_;
    line.begin = next_;
    line.end = lineEnd;
    if (const void* hash = std::memchr(line.begin, '#', line.size()))
        line.end = static_cast<const char*>(hash);
    next_ = lineEnd == end_ ? end_ : lineEnd + 1;
    ++number_;
    return true;
}

bool takeWord(TextSpan& rest, TextSpan& word)
{
    const char* p = rest.begin;
    while (p != rest.end && isBlank(*p))
        ++p;
    const char* wordEnd = p;
    while (wordEnd != rest.end && !isBlank(*wordEnd))
        ++wordEnd;
    word = {p, wordEnd};
    rest.begin = wordEnd;
    return !word.empty();
}

TextSpan trimmed(TextSpan rest)
{
    while (!rest.empty() && isBlank(*rest.begin))
        ++rest.begin;
    while (!rest.empty() && isBlank(rest.end[-1]))
        --rest.end;
    return rest;
}

bool readFloat(TextSpan word, float& value)
{
    if (readPlainFloat(word.begin, word.end, value))
        return true;
    if (word.empty() || word.size() > kLongestNumber)
        return false;
    char text[kLongestNumber + 1];
    std::memcpy(text, word.begin, word.size());
    text[word.size()] = '\0';
    char* stop = nullptr;
    value = std::strtof(text, &stop);
    return stop == text + word.size() && std::isfinite(value);
}

bool readInteger(TextSpan word, int32_t& value)
{
    const char* p = word.begin;
    const bool negative = p != word.end && *p == '-';
    if (p != word.end && (*p == '-' || *p == '+'))
        ++p;
    if (p == word.end)
        return false;
    int64_t magnitude = 0;
    for (; p != word.end; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > INT32_MAX)
            return false;
    }
    value = int32_t(negative ? -magnitude : magnitude);
    return true;
}
