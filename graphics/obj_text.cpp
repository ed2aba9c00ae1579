#include "graphics/obj_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/decimal_float.h"

namespace {

// Longer words are no number a modelling tool writes; they are refused rather than copied.
const size_t kLongestNumber = 64;

} // namespace

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

bool skipBlanks(TextSpan& rest)
{
    while (rest.begin != rest.end && isBlank(*rest.begin))
        ++rest.begin;
    return !rest.empty();
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

bool takeFloat(TextSpan& rest, float& value, bool& present)
{
    present = skipBlanks(rest);
    // Most numbers are read in one pass; the rest are taken as a word and read the slow way.
    const char* stop = present ? readPlainFloatPrefix(rest.begin, rest.end, value) : nullptr;
    if (stop && (stop == rest.end || isBlank(*stop))) {
        rest.begin = stop;
        return true;
    }
    TextSpan word;
    return takeWord(rest, word) && readFloat(word, value);
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
    const char* at = word.begin;
    return takeInteger(at, word.end, value) && at == word.end;
}

bool takeInteger(const char*& at, const char* end, int32_t& value)
{
    const char* p = at;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    const char* digits = p;
    int64_t magnitude = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > INT32_MAX)
            return false;
    }
    if (p == digits)
        return false;
    value = int32_t(negative ? -magnitude : magnitude);
    at = p;
    return true;
}
