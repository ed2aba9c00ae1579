#pragma once
// The wireframe of an image window: ordered pairs of point positions, each pair stored once.
// (a, b) and (b, a) are different pairs. An open-addressing table of the pairs beside the list
// keeps addEdge constant time and cheap: the 360,000 adds of a 120,000-triangle mesh take a
// few milliseconds.
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

    // The edge cursor. After a reset, nextEdge may be called edgeCount times.
    void resetEdgeIterator() { cursor_ = 0; }
    EdgePair nextEdge();

    void clearEdges();

    // The pairs in insertion order, for the paint.
    const std::vector<EdgePair>& pairs() const { return pairs_; }

private:
    // True when `key` was not in the table and now is.
    bool insertKey(uint64_t key);
    void growTable();

    std::vector<EdgePair> pairs_;
    std::vector<uint64_t> slots_;   // a power of two of them, at most half full; kFree marks a free one
    bool holdsFreeKey_ = false;     // the one pair whose key equals kFree is remembered here
    size_t cursor_ = 0;
};
