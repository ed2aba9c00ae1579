// The quick decimal reader must give the very float std::from_chars gives, or decline.
#include "graphics/decimal_float.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

uint32_t bitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Every text the quick reader accepts reads as from_chars reads it, to the bit.
void expectSameAsFromChars(const std::string& text)
{
    float quick = 0, reference = 0;
    if (!readPlainFloat(text.data(), text.data() + text.size(), quick))
        return;
    auto result = std::from_chars(text.data(), text.data() + text.size(), reference);
    ASSERT_EQ(result.ec, std::errc()) << text;
    ASSERT_EQ(result.ptr, text.data() + text.size()) << text;
    ASSERT_EQ(bitsOf(quick), bitsOf(reference)) << text;
}

TEST(DecimalFloat, RandomPlainNumbersReadAsFromCharsReadsThem)
{
    std::mt19937_64 random(7);
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + int(random() % 19);
        std::string mantissa;
        for (int d = 0; d < digits; ++d)
            mantissa += char('0' + random() % 10);
        const int point = int(random() % (digits + 1));
        std::string text = (random() % 2 ? "-" : "") + mantissa.substr(0, point) + "." + mantissa.substr(point);
        if (random() % 3 == 0)
            text += "e" + std::to_string(int(random() % 61) - 30);
        float value;
        accepted += readPlainFloat(text.data(), text.data() + text.size(), value);
        expectSameAsFromChars(text);
    }
    EXPECT_GT(accepted, 100000);   // the quick way is the common way
}

// Texts whose nearest double lies exactly halfway between two floats, though the texts do
// not (found by search with exact fractions: rounding them through a double rounds twice and
// misses the float by one), and integers round the float halfway points, round as from_chars
// rounds them.
TEST(DecimalFloat, HalfwayCasesRoundAsFromChars)
{
    for (const char* text : {"0.0005458587256725877", "28.17539882659912", "7.094653540207219e-7",
                             "24.84575366973877"})
        expectSameAsFromChars(text);
    for (uint64_t n = (1u << 24) - 4; n < (1u << 24) + 64; ++n) {
        expectSameAsFromChars(std::to_string(n));
        expectSameAsFromChars(std::to_string(n) + ".0000001");
        expectSameAsFromChars(std::to_string(n) + "e-20");
        expectSameAsFromChars("0." + std::to_string(n) + "e8");
    }
}

} // namespace
