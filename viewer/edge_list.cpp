#include "viewer/edge_list.h"

#include <cassert>

static uint64_t pairKey(int32_t a, int32_t b)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

void EdgeList::addEdge(int32_t a, int32_t b)
{
    if (keys_.insert(pairKey(a, b)).second)
        pairs_.push_back({a, b});
}

EdgePair EdgeList::nextEdge()
{
    assert(cursor_ < pairs_.size() && "walked past the last edge");
    if (cursor_ >= pairs_.size())
        return EdgePair();
    return pairs_[cursor_++];
}

void EdgeList::clearEdges()
{
    pairs_.clear();
    keys_.clear();
    cursor_ = 0;
}
