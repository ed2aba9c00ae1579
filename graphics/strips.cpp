#include "graphics/strips.h"

#include "graphics/adjacency.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Greedy strip growth over the face adjacency. A face is "free" until a strip takes it; the
// next strip starts at a free face with the fewest free neighbours (most recently touched
// first), which keeps strips side by side and leaves few stragglers.
class StripBuilder {
public:
    StripBuilder(const uint32_t* original, size_t faceCount, uint32_t vertexCount) {
        const std::vector<uint32_t> sorted = byFirstCorner(original, faceCount, vertexCount);
        const uint32_t* corners = sorted.data();
        const std::vector<uint32_t> adjacency = faceAdjacency(corners, faceCount, vertexCount);
        // Made only now, after the adjacency's own tables are gone: the largest mesh then
        // never holds both at once.
        faces_.resize(faceCount);
        freeNeighbours_.assign(faceCount, 0);
        for (size_t face = faceCount; face-- > 0;) {
            Face& f = faces_[face];
            for (int k = 0; k < 3; ++k) {
                f.corners[k] = corners[3 * face + k];
                f.across[k] = adjacency[3 * face + k];
                freeNeighbours_[face] += f.across[k] != kNoNeighbour;
            }
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
    // The faces sorted by their first corner (a counting sort, stable): neighbouring faces share
    // corners, so in this order they also lie near each other in memory, however the mesh
    // ordered them. Which face is which does not matter to the strips; only corners come out.
    static std::vector<uint32_t> byFirstCorner(const uint32_t* corners, size_t faceCount, uint32_t vertexCount) {
        std::vector<uint32_t> first(size_t(vertexCount) + 2, 0);
        for (size_t face = 0; face < faceCount; ++face)
            ++first[std::min(corners[3 * face], vertexCount) + 1];
        for (size_t v = 1; v < first.size(); ++v) first[v] += first[v - 1];
        std::vector<uint32_t> sorted(3 * faceCount);
        for (size_t face = 0; face < faceCount; ++face) {
            const uint32_t at = first[std::min(corners[3 * face], vertexCount)]++;
            std::copy(corners + 3 * face, corners + 3 * face + 3, sorted.begin() + 3 * size_t(at));
        }
        return sorted;
    }

    // What a strip's walk reads of a face, in one place in memory: the walk visits faces in
    // the mesh's order, which may be any order at all.
    struct Face {
        uint32_t corners[3];
        uint32_t across[3];   // the face across (c0, c1), (c1, c2), (c2, c0), or kNoNeighbour
        uint32_t mark = 0;    // kTaken, or the stamp of the last trial walk that passed
    };
    static constexpr uint32_t kTaken = UINT32_MAX;

    std::vector<Face> faces_;
    uint32_t stamp_ = 0;
    std::vector<uint8_t> freeNeighbours_;
    std::vector<uint32_t> buckets_[4];

    uint32_t corner(uint32_t face, int k) const { return faces_[face].corners[k % 3]; }
    bool taken(uint32_t face) const { return faces_[face].mark == kTaken; }

    uint32_t nextStart() {
        for (auto& bucket : buckets_) {
            while (!bucket.empty()) {
                const uint32_t face = bucket.back();
                bucket.pop_back();
                // Stale entries: taken since, or moved to a lower bucket.
                if (!taken(face) && &buckets_[freeNeighbours_[face]] == &bucket) return face;
            }
        }
        return kNoNeighbour;
    }

    // The face across the edge {a, b} of face, or kNoNeighbour.
    uint32_t across(uint32_t face, uint32_t a, uint32_t b) const {
        const Face& f = faces_[face];
        for (int k = 0; k < 3; ++k) {
            const uint32_t from = f.corners[k], to = f.corners[(k + 1) % 3];
            if ((from == a && to == b) || (from == b && to == a)) return f.across[k];
        }
        return kNoNeighbour;
    }

    uint32_t thirdCorner(uint32_t face, uint32_t a, uint32_t b) const {
        for (uint32_t c : faces_[face].corners)
            if (c != a && c != b) return c;
        return a;
    }

    // A strip in the making: its faces and indices in drawing order.
    struct Trace {
        std::vector<uint32_t> faces;
        std::vector<uint32_t> indices;
    };

    bool isFree(uint32_t face, uint32_t stamp) const {
        return face != kNoNeighbour && faces_[face].mark != kTaken && faces_[face].mark != stamp;
    }

    void markTrial(uint32_t face, uint32_t stamp) { faces_[face].mark = stamp; }

    // The strip through `start` drawn from corner `rotation`: forward across its last edge
    // while faces are free, then backward two faces at a time (one would turn every face's
    // winding round). The face across a strip's edge is wound against it, so the strip's
    // alternating order draws each face with its own winding. Marks the faces with `stamp`.
    void trace(uint32_t start, int rotation, uint32_t stamp, Trace& out) {
        out.faces.assign(1, start);
        out.indices.clear();
        markTrial(start, stamp);
        uint32_t face = start, a = corner(start, rotation + 1), b = corner(start, rotation + 2);
        for (uint32_t next = across(face, a, b); isFree(next, stamp); next = across(face, a, b)) {
            const uint32_t w = thirdCorner(next, a, b);
            markTrial(next, stamp);
            out.faces.push_back(next);
            out.indices.push_back(w);
            face = next;
            a = b;
            b = w;
        }
        // Backward: indices and faces gathered in reverse order, flipped at the end.
        backFaces_.clear();
        backIndices_.clear();
        face = start;
        uint32_t first = corner(start, rotation), second = corner(start, rotation + 1);
        for (;;) {
            const uint32_t h = across(face, first, second);
            if (!isFree(h, stamp)) break;
            const uint32_t u = thirdCorner(h, first, second);
            const uint32_t h2 = across(h, u, first);
            if (h2 == h || !isFree(h2, stamp)) break;
            const uint32_t x = thirdCorner(h2, u, first);
            markTrial(h, stamp);
            markTrial(h2, stamp);
            backFaces_.insert(backFaces_.end(), {h, h2});
            backIndices_.insert(backIndices_.end(), {u, x});
            face = h2;
            second = u;
            first = x;
        }
        out.faces.insert(out.faces.begin(), backFaces_.rbegin(), backFaces_.rend());
        head_.assign(backIndices_.rbegin(), backIndices_.rend());
        for (int k = 0; k < 3; ++k) head_.push_back(corner(start, rotation + k));
        out.indices.insert(out.indices.begin(), head_.begin(), head_.end());
    }

    // The longest of the three strips through the start face.
    void bestStrip(uint32_t start, Trace& best) {
        best.faces.clear();
        for (int rotation = 0; rotation < 3; ++rotation) {
            trace(start, rotation, ++stamp_, trial_);
            if (trial_.faces.size() > best.faces.size()) std::swap(best, trial_);
        }
    }

    void take(uint32_t face) {
        faces_[face].mark = kTaken;
        for (uint32_t neighbour : faces_[face].across) {
            if (neighbour == kNoNeighbour || taken(neighbour)) continue;
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
    std::vector<uint32_t> backFaces_, backIndices_, head_;
};

}  // namespace

StripSet buildStrips(const uint32_t* corners, size_t faceCount, uint32_t vertexCount) {
    return StripBuilder(corners, faceCount, vertexCount).build();
}

namespace {

// Strips laid one after another so that the next one starts where the last one ended, when one
// can: a strip joined at a shared corner costs one or two repeated indices instead of a bridge
// of three or four. A strip of even length may be laid backwards (it draws the same triangles
// with the same windings), and a single triangle may start at any of its corners.
class StripChain {
public:
    explicit StripChain(const StripSet& strips) : strips_(strips), used_(strips.lengths.size(), 0) {
        size_t offset = 0;
        for (uint32_t length : strips.lengths) {
            starts_.push_back(offset);
            offset += length + 2;
        }
        for (uint32_t k = 0; k < strips.lengths.size(); ++k) {
            const uint32_t* s = strip(k);
            const uint32_t count = strips.lengths[k] + 2;
            addEnd(s[0], k);
            addEnd(s[count - 1], k);
            if (count == 3) addEnd(s[1], k);
        }
    }

    std::vector<uint32_t> join() {
        joined_.reserve(strips_.indices.size() + 2 * strips_.lengths.size());
        uint32_t next = 0;   // the first strip not yet laid, in the builder's order
        for (size_t laid = 0; laid < strips_.lengths.size(); ++laid) {
            if (joined_.empty() || !layAfterShared()) {
                while (used_[next]) ++next;
                layBridged(next);
            }
        }
        return std::move(joined_);
    }

private:
    const uint32_t* strip(uint32_t k) const { return strips_.indices.data() + starts_[k]; }

    void addEnd(uint32_t vertex, uint32_t k) {
        byVertex_[vertex].push_back(k);
    }

    // The strip's indices from its end `vertex` (for a single triangle, any corner) in the
    // order it is to be laid, and the parity (1: odd) of the position its first triangle must
    // then take to draw every triangle with its winding. Laid backwards, triangle j of a
    // strip of L comes out reversed at position L - 1 - j from the start, which the
    // alternation turns round again when the start has the parity of L.
    int orderFrom(uint32_t k, uint32_t vertex, bool startsOdd) {
        const uint32_t* s = strip(k);
        const uint32_t length = strips_.lengths[k];
        order_.assign(s, s + length + 2);
        if (length == 1) {
            const int at = s[0] == vertex ? 0 : s[1] == vertex ? 1 : 2;
            // Even draws (a, b, c): (v, next, next2); odd draws (b, a, c): (v, previous, next).
            order_ = {s[at], s[(at + (startsOdd ? 2 : 1)) % 3], s[(at + (startsOdd ? 1 : 2)) % 3]};
            return startsOdd;
        }
        if (s[0] == vertex) return 0;
        std::reverse(order_.begin(), order_.end());
        return int(length % 2);
    }

    // Lays an unlaid strip that has the last index as an end, if there is one: that index
    // repeated (twice when the parity needs it) makes triangles of no area, and the strip
    // starts on the last copy.
    bool layAfterShared() {
        const uint32_t vertex = joined_.back();
        const auto found = byVertex_.find(vertex);
        if (found == byVertex_.end()) return false;
        std::vector<uint32_t>& candidates = found->second;
        while (!candidates.empty() && used_[candidates.back()]) candidates.pop_back();
        if (candidates.empty()) return false;
        const uint32_t k = candidates.back();
        used_[k] = 1;
        const size_t n = joined_.size();
        if (orderFrom(k, vertex, n % 2 == 1) != int(n % 2)) joined_.push_back(vertex);
        joined_.push_back(vertex);
        joined_.insert(joined_.end(), order_.begin() + 1, order_.end());
        return true;
    }

    // Repeats the last index (twice when needed) and the next strip's first, so that the next
    // strip's first triangle falls on an even position.
    void layBridged(uint32_t k) {
        used_[k] = 1;
        const uint32_t* s = strip(k);
        if (!joined_.empty()) {
            const uint32_t last = joined_.back();
            joined_.push_back(last);
            if (joined_.size() % 2 == 0) joined_.push_back(last);
            joined_.push_back(s[0]);
        }
        joined_.insert(joined_.end(), s, s + strips_.lengths[k] + 2);
    }

    const StripSet& strips_;
    std::vector<uint8_t> used_;
    std::vector<size_t> starts_;
    // Strips by the indices they can start from: a map, as the strips are few beside the
    // vertices and an index may be any number.
    std::unordered_map<uint32_t, std::vector<uint32_t>> byVertex_;
    std::vector<uint32_t> joined_, order_;
};

}  // namespace

std::vector<uint32_t> joinStrips(const StripSet& strips) {
    return StripChain(strips).join();
}
