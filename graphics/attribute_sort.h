#pragma once
// Faces grouped by attribute (subset) and the table of attribute runs. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

// D3DXATTRIBUTERANGE's layout.
struct AttributeRange {
    uint32_t attribId;
    uint32_t faceStart;
    uint32_t faceCount;
    uint32_t vertexStart;
    uint32_t vertexCount;
};

// The face order that sorts faces by attribute, keeping the order of equal ones:
// result[new position] = old face.
std::vector<uint32_t> attributeSortOrder(const std::vector<uint32_t>& attributes);

// One range per run of equal attributes, in face order. A range's vertices are the span from
// the smallest to the largest index its faces use.
std::vector<AttributeRange> attributeTable(const std::vector<uint32_t>& attributes,
                                           const std::vector<uint16_t>& indices);

// The faces to draw for one attribute: the table's ranges of it when there is a table, else
// the runs of it among the per-face attributes, each over all `vertexCount` vertices.
template <class Attribute>
std::vector<AttributeRange> subsetRanges(const std::vector<AttributeRange>& table,
                                         const std::vector<Attribute>& attributes,
                                         uint32_t attribId, uint32_t vertexCount) {
    std::vector<AttributeRange> ranges;
    if (!table.empty()) {
        for (const AttributeRange& range : table)
            if (range.attribId == attribId && range.faceCount > 0) ranges.push_back(range);
        return ranges;
    }
    for (uint32_t face = 0; face < attributes.size(); ++face) {
        if (attributes[face] != attribId) continue;
        if (ranges.empty() || ranges.back().faceStart + ranges.back().faceCount != face)
            ranges.push_back({attribId, face, 0, 0, vertexCount});
        ++ranges.back().faceCount;
    }
    return ranges;
}

// Applies a new-to-old face order to per-face data with `width` entries per face.
template <class T>
std::vector<T> reorderFaces(const std::vector<T>& perFace, const std::vector<uint32_t>& order,
                            size_t width) {
    std::vector<T> reordered(perFace.size());
    for (size_t face = 0; face < order.size(); ++face)
        for (size_t k = 0; k < width; ++k)
            reordered[face * width + k] = perFace[order[face] * width + k];
    return reordered;
}
