#pragma once
// The wireframe of an image window: ordered pairs of point positions, each pair stored once.
// (a, b) and (b, a) are different pairs. An open-addressing table of pair positions beside the
// list keeps addEdge constant time and cheap: the 360,000 adds of a 120,000-triangle mesh take a
// few milliseconds. The table is only needed while pairs arrive, so whoever adds a whole mesh's
// edges can let it go afterwards; the next addEdge builds it again.
#include <cstddef>
#include <cstdint>
#include <vector>

struct EdgePair {
    int32_t a = 0;
    int32_t b = 0;
};

class EdgeList {
public:
    // Appends (a, b) unless that exact pair is already stored.
    void addEdge(int32_t a, int32_t b);
    int32_t edgeCount() const { return static_cast<int32_t>(pairs_.size()); }

    // Frees the lookup table (a few megabytes for a large mesh); the pairs stay.
    void releaseLookup();

    // The edge cursor. After a reset, nextEdge may be called edgeCount times.
    void resetEdgeIterator() { cursor_ = 0; }
    EdgePair nextEdge();

    void clearEdges();

    // The pairs in insertion order, for the paint.
    const std::vector<EdgePair>& pairs() const { return pairs_; }

private:
    // Sizes the table for one more pair than is stored, entering every stored pair.
    void fitLookup();

    std::vector<EdgePair> pairs_;
    // Position + 1 of a pair in pairs_, 0 for a free slot: a power of two of them, at most
    // half full, or none at all while no pair is being added.
    std::vector<uint32_t> slots_;
    size_t cursor_ = 0;
};
