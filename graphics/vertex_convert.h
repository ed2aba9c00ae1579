#pragma once
// Vertices from one flexible vertex format to another. Portable.
#include <cstdint>
#include <vector>

// Copies vertexCount vertices of sourceFormat into destinationFormat: each element of the
// destination takes the element of the same usage and usage index from the source (floats
// as far as both have them, other types only when equal); what the source lacks is zero.
// Both formats must be valid (fvf::isValid).
std::vector<uint8_t> convertVertices(const uint8_t* source, uint32_t vertexCount,
                                     uint32_t sourceFormat, uint32_t destinationFormat);
