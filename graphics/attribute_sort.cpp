#include "graphics/attribute_sort.h"

#include <algorithm>
#include <numeric>

std::vector<uint32_t> attributeSortOrder(const std::vector<uint32_t>& attributes) {
    std::vector<uint32_t> order(attributes.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return attributes[a] < attributes[b]; });
    return order;
}

std::vector<AttributeRange> attributeTable(const std::vector<uint32_t>& attributes,
                                           const std::vector<uint16_t>& indices) {
    std::vector<AttributeRange> table;
    for (uint32_t face = 0; face < attributes.size(); ++face) {
        const uint16_t* corner = indices.data() + 3 * size_t(face);
        const uint32_t low = std::min({corner[0], corner[1], corner[2]});
        const uint32_t high = std::max({corner[0], corner[1], corner[2]});
        if (table.empty() || table.back().attribId != attributes[face]) {
            table.push_back({attributes[face], face, 0, low, high - low + 1});
        }
        AttributeRange& range = table.back();
        const uint32_t end = std::max(range.vertexStart + range.vertexCount, high + 1);
        range.vertexStart = std::min(range.vertexStart, low);
        range.vertexCount = end - range.vertexStart;
        ++range.faceCount;
    }
    return table;
}
