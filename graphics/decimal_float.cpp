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

// 10^-k as the nearest doubles.
constexpr double kTenths[kExactPower + 1] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                             1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                             1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Appends the digits at `at` to mantissa (wrapping past 19 of them); how many there were.
int readDigits(const char*& at, const char* end, uint64_t& mantissa)
{
    const char* start = at;
    for (; at != end && isDigit(*at); ++at)
        mantissa = mantissa * 10 + uint64_t(*at - '0');
    return int(at - start);
}

// Moves `at` past zeros while the mantissa is still zero: they are no significant digits.
int skipLeadingZeros(const char*& at, const char* end, uint64_t mantissa)
{
    const char* start = at;
    while (mantissa == 0 && at != end && *at == '0')
        ++at;
    return int(at - start);
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
    int exponent = 0;
    bool any = skipLeadingZeros(at, end, mantissa) > 0;
    int digits = readDigits(at, end, mantissa);
    any |= digits > 0;
    if (at != end && *at == '.') {
        ++at;
        const int zeros = skipLeadingZeros(at, end, mantissa);
        const int fraction = readDigits(at, end, mantissa);
        digits += fraction;
        exponent -= zeros + fraction;
        any |= zeros + fraction > 0;
    }
    // More significant digits than 64 bits hold have wrapped the mantissa.
    if (!any || digits > kMaxDigits || !readExponent(at, end, exponent))
        return nullptr;
    if (mantissa == 0) {
        value = negative ? -0.0f : 0.0f;
        return at;
    }
    if (mantissa > kExactMantissa || exponent < -kExactPower || exponent > kExactPower)
        return nullptr;
    // The mantissa is exact, and so is the power of ten or (below 1) its nearest double, so
    // the product (a multiplication, where a division would take several times as long) is
    // within two units of the double's last place of the text's value. Rounding it to a float
    // rounds the text's value correctly unless a point halfway between two floats lies that
    // close (the 29 bits a float drops are within 4 of 1000...0): those go the slow way.
    const double near = double(mantissa) * (exponent < 0 ? kTenths[-exponent] : kPowersOfTen[exponent]);
    uint64_t bits;
    std::memcpy(&bits, &near, sizeof bits);
    if ((bits & ((1ULL << 29) - 1)) + 4 - (1ULL << 28) <= 8)
        return nullptr;
    value = negative ? -float(near) : float(near);
    return at;
}
