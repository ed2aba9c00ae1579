#include "graphics/decimal_float.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int kMaxDigits = 19;          // what a 64-bit integer holds
constexpr uint64_t kExactMantissa = 1ULL << 53;
constexpr int kExactPower = 22;         // 10^22 is the largest power of ten a double holds exactly

constexpr double kPowersOfTen[kExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Appends the digits at `at` to mantissa; each digit after the point lowers exponent by one.
// False when more significant digits come than a 64-bit integer holds.
bool readDigits(const char*& at, const char* end, bool afterPoint, uint64_t& mantissa, int& digits,
                int& exponent, bool& any)
{
    for (; at != end && isDigit(*at); ++at) {
        if (digits == kMaxDigits)
            return false;
        mantissa = mantissa * 10 + uint64_t(*at - '0');
        digits += mantissa != 0;
        exponent -= afterPoint;
        any = true;
    }
    return true;
}

bool readExponent(const char*& at, const char* end, int& exponent)
{
    if (at == end || (*at != 'e' && *at != 'E'))
        return true;
    ++at;
    bool negative = false;
    if (at != end && (*at == '+' || *at == '-'))
        negative = *at++ == '-';
    const char* start = at;
    int value = 0;
    for (; at != end && isDigit(*at); ++at) {
        if (value > 1000)
            return false;   // far out of the exact range anyway
        value = value * 10 + (*at - '0');
    }
    exponent += negative ? -value : value;
    return at != start;
}

} // namespace

bool readPlainFloat(const char* begin, const char* end, float& value)
{
    const char* stop = readPlainFloatPrefix(begin, end, value);
    return stop && stop == end;
}

const char* readPlainFloatPrefix(const char* begin, const char* end, float& value)
{
    const char* at = begin;
    const bool negative = at != end && *at == '-';
    at += negative;
    uint64_t mantissa = 0;
    int digits = 0, exponent = 0;
    bool any = false;
    if (!readDigits(at, end, false, mantissa, digits, exponent, any))
        return nullptr;
    if (at != end && *at == '.') {
        ++at;
        if (!readDigits(at, end, true, mantissa, digits, exponent, any))
            return nullptr;
    }
    if (!any || !readExponent(at, end, exponent))
        return nullptr;
    if (mantissa == 0) {
        value = negative ? -0.0f : 0.0f;
        return at;
    }
    if (mantissa > kExactMantissa || exponent < -kExactPower || exponent > kExactPower)
        return nullptr;
    // Both operands are exact, so the double is the correctly rounded value of the text.
    double exact = double(mantissa);
    exact = exponent < 0 ? exact / kPowersOfTen[-exponent] : exact * kPowersOfTen[exponent];
    // Rounding that double to a float rounds the text's value correctly unless the double
    // lies exactly halfway between two floats (the 29 bits a float drops are 1000...0).
    uint64_t bits;
    std::memcpy(&bits, &exact, sizeof bits);
    if ((bits & ((1ULL << 29) - 1)) == 1ULL << 28)
        return nullptr;
    value = negative ? -float(exact) : float(exact);
    return at;
}
