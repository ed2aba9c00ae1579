#include "graphics/vertex_convert.h"

#include <algorithm>
#include <cstring>

#include "graphics/fvf.h"

namespace {

struct CopyStep {
    uint32_t sourceOffset;
    uint32_t destinationOffset;
    uint32_t bytes;
};

bool isFloatType(uint8_t type) { return type <= fvf::kFloat4; }

// Bytes of `from` that carry over into `to`: floats as far as both reach, else all or nothing.
uint32_t sharedBytes(const fvf::VertexElement& from, const fvf::VertexElement& to) {
    if (isFloatType(from.type) && isFloatType(to.type))
        return std::min(fvf::declTypeSize(from.type), fvf::declTypeSize(to.type));
    return from.type == to.type ? fvf::declTypeSize(to.type) : 0;
}

std::vector<CopyStep> copyPlan(uint32_t sourceFormat, uint32_t destinationFormat) {
    fvf::VertexElement source[fvf::kMaxElements], destination[fvf::kMaxElements];
    const int sourceCount = fvf::toDeclaration(sourceFormat, source);
    const int destinationCount = fvf::toDeclaration(destinationFormat, destination);
    std::vector<CopyStep> plan;
    for (int d = 0; d < destinationCount; ++d) {
        for (int s = 0; s < sourceCount; ++s) {
            if (source[s].usage != destination[d].usage ||
                source[s].usageIndex != destination[d].usageIndex)
                continue;
            const uint32_t bytes = sharedBytes(source[s], destination[d]);
            if (bytes > 0) plan.push_back({source[s].offset, destination[d].offset, bytes});
            break;
        }
    }
    return plan;
}

}  // namespace

std::vector<uint8_t> convertVertices(const uint8_t* source, uint32_t vertexCount,
                                     uint32_t sourceFormat, uint32_t destinationFormat) {
    const size_t sourceSize = fvf::vertexSize(sourceFormat);
    const size_t destinationSize = fvf::vertexSize(destinationFormat);
    if (sourceFormat == destinationFormat)
        return std::vector<uint8_t>(source, source + sourceSize * vertexCount);
    std::vector<uint8_t> converted(destinationSize * vertexCount, 0);
    const std::vector<CopyStep> plan = copyPlan(sourceFormat, destinationFormat);
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const uint8_t* from = source + v * sourceSize;
        uint8_t* to = converted.data() + v * destinationSize;
        for (const CopyStep& step : plan)
            std::memcpy(to + step.destinationOffset, from + step.sourceOffset, step.bytes);
    }
    return converted;
}
