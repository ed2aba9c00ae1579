#pragma once
// A guard for the JPEG decoder of stb_image 2.27, which writes past its tables when a
// Huffman table announces more than 256 codes. Portable.
#include <cstddef>
#include <cstdint>

// True when a JPEG file (FF D8, after any number of further FF) has a DHT segment (at any FF C4) with a table of more than
// 256 codes; false for every other file.
bool hasOversizedHuffmanTable(const uint8_t* data, size_t size);
