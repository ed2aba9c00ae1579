#pragma once
// Token codes of the binary X file encoding: each token is a little-endian 16-bit code,
// some followed by a payload (counts are 32-bit).
#include <cstdint>

namespace xbin {
enum : uint16_t {
    Name = 1,          // count, chars
    String = 2,        // count, chars, then a Semicolon or Comma token
    Integer = 3,       // 32-bit value
    Guid = 5,          // 16 bytes
    IntegerList = 6,   // count, count 32-bit values
    FloatList = 7,     // count, count floats of the header's size
    OpenBrace = 10,
    CloseBrace = 11,
    OpenParen = 12,
    CloseParen = 13,
    OpenBracket = 14,
    CloseBracket = 15,
    OpenAngle = 16,
    CloseAngle = 17,
    Dot = 18,
    Comma = 19,
    Semicolon = 20,
    Template = 31,
    Word = 40,
    Dword = 41,
    Float = 42,
    Double = 43,
    Char = 44,
    Uchar = 45,
    Sword = 46,
    Sdword = 47,
    Void = 48,
    Lpstr = 49,
    Unicode = 50,
    Cstring = 51,
    Array = 52
};
}
