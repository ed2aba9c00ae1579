#include "viewer/edge_list.h"

#include <cassert>

namespace {

constexpr uint64_t kFree = ~uint64_t(0);   // the key of (-1, -1)

uint64_t pairKey(int32_t a, int32_t b)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

// Fibonacci hashing: the top bits of the key times 2^64 / phi spread neighbouring pairs.
size_t slotOf(uint64_t key, size_t mask)
{
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

}  // namespace

void EdgeList::addEdge(int32_t a, int32_t b)
{
    if (insertKey(pairKey(a, b)))
        pairs_.push_back({a, b});
}

bool EdgeList::insertKey(uint64_t key)
{
    if (key == kFree) {
        const bool added = !holdsFreeKey_;
        holdsFreeKey_ = true;
        return added;
    }
    if (2 * (pairs_.size() + 1) > slots_.size())
        growTable();
    const size_t mask = slots_.size() - 1;
    for (size_t slot = slotOf(key, mask);; slot = (slot + 1) & mask) {
        if (slots_[slot] == key)
            return false;
        if (slots_[slot] == kFree) {
            slots_[slot] = key;
            return true;
        }
    }
}

void EdgeList::growTable()
{
    slots_.assign(slots_.empty() ? 64 : 2 * slots_.size(), kFree);
    const size_t mask = slots_.size() - 1;
    for (const EdgePair& pair : pairs_) {
        const uint64_t key = pairKey(pair.a, pair.b);
        if (key == kFree)
            continue;
        size_t slot = slotOf(key, mask);
        while (slots_[slot] != kFree)
            slot = (slot + 1) & mask;
        slots_[slot] = key;
    }
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
    holdsFreeKey_ = false;
    cursor_ = 0;
}
