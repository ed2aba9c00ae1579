#pragma once
// A guard for the PNM header reader of stb_image 2.27, which reads each number into an int
// without a bound, so that a number of ten digits or more overflows it. Portable.
#include <cstddef>
#include <cstdint>

// True when a binary PGM or PPM file (P5, P6) has a width, height or maximum of more than nine
// digits, found the way stb_image finds them (its whitespace, # comments that end at either
// line end); false for every other file.
bool hasOverlongPnmNumber(const uint8_t* data, size_t size);
