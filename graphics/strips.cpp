#include "graphics/strips.h"

#include "graphics/adjacency.h"

namespace {

// Greedy strip growth over the face adjacency. A face is "free" until a strip takes it; the
// next strip starts at a free face with the fewest free neighbours (most recently touched
// first), which keeps strips side by side and leaves few stragglers.
class StripBuilder {
public:
    StripBuilder(const uint32_t* corners, size_t faceCount, uint32_t vertexCount)
        : corners_(corners), faceCount_(faceCount),
          adjacency_(faceAdjacency(corners, faceCount, vertexCount)), taken_(faceCount, 0),
          trialStamp_(faceCount, 0), freeNeighbours_(faceCount, 0) {
        for (size_t face = faceCount; face-- > 0;) {
            for (int k = 0; k < 3; ++k)
                freeNeighbours_[face] += adjacency_[3 * face + k] != kNoNeighbour;
            buckets_[freeNeighbours_[face]].push_back(uint32_t(face));
        }
    }

    StripSet build() {
        StripSet strips;
        for (uint32_t start = nextStart(); start != kNoNeighbour; start = nextStart())
            strips.lengths.push_back(takeStrip(start, strips.indices));
        return strips;
    }

private:
    const uint32_t* corners_;
    size_t faceCount_;
    std::vector<uint32_t> adjacency_;
    std::vector<uint8_t> taken_;
    std::vector<uint32_t> trialStamp_;
    uint32_t stamp_ = 0;
    std::vector<uint8_t> freeNeighbours_;
    std::vector<uint32_t> buckets_[4];

    uint32_t corner(uint32_t face, int k) const { return corners_[3 * face + k % 3]; }

    uint32_t nextStart() {
        for (auto& bucket : buckets_) {
            while (!bucket.empty()) {
                const uint32_t face = bucket.back();
                bucket.pop_back();
                // Stale entries: taken since, or moved to a lower bucket.
                if (!taken_[face] && &buckets_[freeNeighbours_[face]] == &bucket) return face;
            }
        }
        return kNoNeighbour;
    }

    // The face across the edge {a, b} of face, or kNoNeighbour.
    uint32_t across(uint32_t face, uint32_t a, uint32_t b) const {
        for (int k = 0; k < 3; ++k) {
            const uint32_t from = corner(face, k), to = corner(face, k + 1);
            if ((from == a && to == b) || (from == b && to == a)) return adjacency_[3 * face + k];
        }
        return kNoNeighbour;
    }

    uint32_t thirdCorner(uint32_t face, uint32_t a, uint32_t b) const {
        for (int k = 0; k < 3; ++k)
            if (corner(face, k) != a && corner(face, k) != b) return corner(face, k);
        return a;
    }

    // A strip in the making: its faces and indices in drawing order.
    struct Trace {
        std::vector<uint32_t> faces;
        std::vector<uint32_t> indices;
    };

    bool isFree(uint32_t face, uint32_t stamp) const {
        return face != kNoNeighbour && !taken_[face] && trialStamp_[face] != stamp;
    }

    // The strip through `start` drawn from corner `rotation`: forward across its last edge
    // while faces are free, then backward two faces at a time (one would turn every face's
    // winding round). The face across a strip's edge is wound against it, so the strip's
    // alternating order draws each face with its own winding. Marks the faces with `stamp`.
    void trace(uint32_t start, int rotation, uint32_t stamp, Trace& out) {
        out.faces.assign(1, start);
        out.indices.clear();
        trialStamp_[start] = stamp;
        uint32_t face = start, a = corner(start, rotation + 1), b = corner(start, rotation + 2);
        for (uint32_t next = across(face, a, b); isFree(next, stamp); next = across(face, a, b)) {
            const uint32_t w = thirdCorner(next, a, b);
            trialStamp_[next] = stamp;
            out.faces.push_back(next);
            out.indices.push_back(w);
            face = next;
            a = b;
            b = w;
        }
        // Backward: indices and faces gathered in reverse order, flipped at the end.
        std::vector<uint32_t>& backFaces = backFaces_;
        std::vector<uint32_t>& backIndices = backIndices_;
        backFaces.clear();
        backIndices.clear();
        face = start;
        uint32_t first = corner(start, rotation), second = corner(start, rotation + 1);
        for (;;) {
            const uint32_t h = across(face, first, second);
            if (!isFree(h, stamp)) break;
            const uint32_t u = thirdCorner(h, first, second);
            const uint32_t h2 = across(h, u, first);
            if (h2 == h || !isFree(h2, stamp)) break;
            const uint32_t x = thirdCorner(h2, u, first);
            trialStamp_[h] = trialStamp_[h2] = stamp;
            backFaces.insert(backFaces.end(), {h, h2});
            backIndices.insert(backIndices.end(), {u, x});
            face = h2;
            second = u;
            first = x;
        }
        out.faces.insert(out.faces.begin(), backFaces.rbegin(), backFaces.rend());
        std::vector<uint32_t> head(backIndices.rbegin(), backIndices.rend());
        for (int k = 0; k < 3; ++k) head.push_back(corner(start, rotation + k));
        out.indices.insert(out.indices.begin(), head.begin(), head.end());
    }

    // The longest strip through the start face or one of its free neighbours (a line of faces
    // may only be drawable from the second face on).
    void bestStrip(uint32_t start, Trace& best) {
        uint32_t candidates[4] = {start, adjacency_[3 * start], adjacency_[3 * start + 1],
                                  adjacency_[3 * start + 2]};
        best.faces.clear();
        for (uint32_t candidate : candidates) {
            if (candidate == kNoNeighbour || taken_[candidate]) continue;
            for (int rotation = 0; rotation < 3; ++rotation) {
                trace(candidate, rotation, ++stamp_, trial_);
                if (trial_.faces.size() > best.faces.size()) std::swap(best, trial_);
            }
        }
    }

    void take(uint32_t face) {
        taken_[face] = 1;
        for (int k = 0; k < 3; ++k) {
            const uint32_t neighbour = adjacency_[3 * face + k];
            if (neighbour == kNoNeighbour || taken_[neighbour]) continue;
            buckets_[--freeNeighbours_[neighbour]].push_back(neighbour);
        }
    }

    uint32_t takeStrip(uint32_t start, std::vector<uint32_t>& indices) {
        bestStrip(start, chosen_);
        for (uint32_t face : chosen_.faces) take(face);
        indices.insert(indices.end(), chosen_.indices.begin(), chosen_.indices.end());
        return uint32_t(chosen_.faces.size());
    }

    Trace trial_, chosen_;
    std::vector<uint32_t> backFaces_, backIndices_;
};

}  // namespace

StripSet buildStrips(const uint32_t* corners, size_t faceCount, uint32_t vertexCount) {
    return StripBuilder(corners, faceCount, vertexCount).build();
}

std::vector<uint32_t> joinStrips(const StripSet& strips) {
    std::vector<uint32_t> joined;
    joined.reserve(strips.indices.size() + 3 * strips.lengths.size());
    size_t offset = 0;
    for (uint32_t length : strips.lengths) {
        const uint32_t* strip = strips.indices.data() + offset;
        if (!joined.empty()) {
            // Repeat the last index (twice when needed) and the next strip's first, so the
            // next strip's first triangle falls on an even position.
            const uint32_t last = joined.back();
            joined.push_back(last);
            if (joined.size() % 2 == 0) joined.push_back(last);
            joined.push_back(strip[0]);
        }
        joined.insert(joined.end(), strip, strip + length + 2);
        offset += length + 2;
    }
    return joined;
}
