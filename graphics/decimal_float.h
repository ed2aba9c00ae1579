#pragma once
// A quick reading of the plain decimal numbers that text files are made of ("-0.049174633",
// "1.5e-3"): the same float that std::from_chars gives, in a fraction of its time, for numbers
// of up to 19 significant digits (at most 2^53 in all) times ten to at most 22. Portable.

// Reads the whole of [begin, end) as [-]digits[.digits][(e|E)[+|-]digits]. False when the
// text is not of that form, or when the quick way cannot promise the correctly rounded float:
// the caller then reads it the slow way.
bool readPlainFloat(const char* begin, const char* end, float& value);
// The same for the number at the start of [begin, end), which may go on with other text: where
// the number ends, or nullptr when no number starts there or the quick way declines.
const char* readPlainFloatPrefix(const char* begin, const char* end, float& value);
