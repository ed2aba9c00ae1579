#include "viewer/edge_list.h"

#include <cassert>

namespace {

// Fibonacci hashing: the top bits of the pair times 2^64 / phi spread neighbouring pairs.
size_t slotOf(int32_t a, int32_t b, size_t mask)
{
    const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

}  // namespace

void EdgeList::addEdge(int32_t a, int32_t b)
{
    if (2 * (pairs_.size() + 1) > slots_.size())
        fitLookup();
    const size_t mask = slots_.size() - 1;
    for (size_t slot = slotOf(a, b, mask);; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            pairs_.push_back({a, b});
            slots_[slot] = static_cast<uint32_t>(pairs_.size());
            return;
        }
        const EdgePair& stored = pairs_[slots_[slot] - 1];
        if (stored.a == a && stored.b == b)
            return;
    }
}

void EdgeList::fitLookup()
{
    size_t size = slots_.empty() ? 64 : slots_.size();
    while (2 * (pairs_.size() + 1) > size)
        size *= 2;
    slots_.assign(size, 0);
    const size_t mask = size - 1;
    for (size_t k = 0; k < pairs_.size(); ++k) {
        size_t slot = slotOf(pairs_[k].a, pairs_[k].b, mask);
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = static_cast<uint32_t>(k + 1);
    }
}

void EdgeList::releaseLookup()
{
    std::vector<uint32_t>().swap(slots_);
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
    slots_.clear();
    cursor_ = 0;
}
