#include "graphics/adjacency.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <tuple>

namespace {

// Faces with a repeated or out-of-range corner have no edges to share.
bool isLinkable(const uint32_t* face, uint32_t vertexCount) {
    return face[0] != face[1] && face[1] != face[2] && face[2] != face[0] &&
           face[0] < vertexCount && face[1] < vertexCount && face[2] < vertexCount;
}

// Half-edges grouped by their start vertex (counting sort): halfEdges[first[v] .. first[v+1])
// are the half-edges (3 * face + corner) that leave v, and ends[] beside them where each goes,
// so that finding an edge reads one short run of memory rather than faces all over the mesh.
struct HalfEdgesByStart {
    std::vector<uint32_t> first;
    std::vector<uint32_t> halfEdges;
    std::vector<uint32_t> ends;
};

HalfEdgesByStart groupHalfEdges(const uint32_t* corners, size_t faceCount, uint32_t vertexCount) {
    HalfEdgesByStart grouped;
    grouped.first.assign(size_t(vertexCount) + 1, 0);
    for (size_t face = 0; face < faceCount; ++face)
        if (isLinkable(corners + 3 * face, vertexCount))
            for (int k = 0; k < 3; ++k) ++grouped.first[corners[3 * face + k] + 1];
    std::partial_sum(grouped.first.begin(), grouped.first.end(), grouped.first.begin());
    grouped.halfEdges.resize(grouped.first.back());
    grouped.ends.resize(grouped.first.back());
    std::vector<uint32_t> next(grouped.first.begin(), grouped.first.end() - 1);
    for (size_t face = 0; face < faceCount; ++face)
        if (isLinkable(corners + 3 * face, vertexCount))
            for (int k = 0; k < 3; ++k) {
                const uint32_t at = next[corners[3 * face + k]]++;
                grouped.halfEdges[at] = uint32_t(3 * face + k);
                grouped.ends[at] = corners[3 * face + (k + 1) % 3];
            }
    return grouped;
}

// The face of the single half-edge from -> to, else kNoNeighbour.
uint32_t singleFaceWithEdge(const HalfEdgesByStart& grouped, uint32_t from, uint32_t to) {
    uint32_t found = kNoNeighbour;
    for (uint32_t i = grouped.first[from]; i < grouped.first[from + 1]; ++i) {
        if (grouped.ends[i] != to) continue;
        if (found != kNoNeighbour) return kNoNeighbour;
        found = grouped.halfEdges[i] / 3;
    }
    return found;
}

}  // namespace

std::vector<uint32_t> faceAdjacency(const uint32_t* corners, size_t faceCount,
                                    uint32_t vertexCount) {
    std::vector<uint32_t> adjacency(3 * faceCount, kNoNeighbour);
    const HalfEdgesByStart grouped = groupHalfEdges(corners, faceCount, vertexCount);
    // Vertex by vertex, so that the runs read are those of a vertex and its neighbours, close
    // in memory however the faces are ordered.
    for (uint32_t from = 0; from < vertexCount; ++from) {
        for (uint32_t i = grouped.first[from]; i < grouped.first[from + 1]; ++i) {
            const uint32_t halfEdge = grouped.halfEdges[i], to = grouped.ends[i];
            // Only a pair of faces makes a neighbour: a third face on the edge spoils it.
            if (singleFaceWithEdge(grouped, from, to) == halfEdge / 3)
                adjacency[halfEdge] = singleFaceWithEdge(grouped, to, from);
        }
    }
    return adjacency;
}

std::vector<uint32_t> pointRepresentatives(const uint8_t* firstVertex, uint32_t vertexCount,
                                           uint32_t stride) {
    // Positions compared by their bits: a total order even for NaNs from a hostile file.
    struct Keyed {
        uint32_t bits[3];
        uint32_t vertex;
        bool operator<(const Keyed& other) const {
            return std::tie(bits[0], bits[1], bits[2], vertex) <
                   std::tie(other.bits[0], other.bits[1], other.bits[2], other.vertex);
        }
        bool samePosition(const Keyed& other) const {
            return bits[0] == other.bits[0] && bits[1] == other.bits[1] &&
                   bits[2] == other.bits[2];
        }
    };
    std::vector<Keyed> sorted(vertexCount);
    for (uint32_t v = 0; v < vertexCount; ++v) {
        std::memcpy(sorted[v].bits, firstVertex + size_t(v) * stride, sizeof(sorted[v].bits));
        sorted[v].vertex = v;
    }
    std::sort(sorted.begin(), sorted.end());
    std::vector<uint32_t> representative(vertexCount);
    for (uint32_t i = 0; i < vertexCount; ++i) {
        const bool startsGroup = i == 0 || !sorted[i - 1].samePosition(sorted[i]);
        representative[sorted[i].vertex] =
            startsGroup ? sorted[i].vertex : representative[sorted[i - 1].vertex];
    }
    return representative;
}
