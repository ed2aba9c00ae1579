#pragma once
// The wireframe of an image window: ordered pairs of point positions, each pair stored once.
// (a, b) and (b, a) are different pairs. A hash set beside the list keeps addEdge constant
// time, so filling the edges of a mesh of thousands of triangles stays linear.
#include <cstddef>
#include <cstdint>
#include <unordered_set>
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
    std::vector<EdgePair> pairs_;
    std::unordered_set<uint64_t> keys_;
    size_t cursor_ = 0;
};
