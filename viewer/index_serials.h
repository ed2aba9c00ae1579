#pragma once
// Which records of a point list carry each point index: their serial numbers, oldest first.
// Indices 0 .. 2^18 - 1, what the editor's lists hold, have their first serial in a flat array;
// an index's later serials, and indices outside that range, sit in a map. A list of distinct
// small indices (every list the editor builds) so costs 8 bytes a point and no allocation per
// point. Portable.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class IndexSerials {
public:
    void add(int32_t index, uint64_t serial);
    // Forgets the oldest serial of `index`, which must be `serial`.
    void removeOldest(int32_t index, uint64_t serial);
    void clear();
    // Calls visit(serial) for each serial of `index`, oldest first.
    template <typename Visit> void forEach(int32_t index, Visit visit) const
    {
        if (isDense(index) && size_t(index) < first_.size() && first_[size_t(index)] != kNone)
            visit(first_[size_t(index)]);
        const auto more = more_.find(index);
        if (more != more_.end())
            for (uint64_t serial : more->second)
                visit(serial);
    }
    // How many indices are carried by more than one record.
    size_t sharedIndices() const { return shared_; }

private:
    static constexpr int32_t kDenseLimit = 1 << 18;
    static constexpr uint64_t kNone = UINT64_MAX;
    static bool isDense(int32_t index) { return index >= 0 && index < kDenseLimit; }

    std::vector<uint64_t> first_;   // by index: the oldest serial, or kNone
    // Dense indices: the serials after the first; the others: all of them.
    std::unordered_map<int32_t, std::vector<uint64_t>> more_;
    size_t shared_ = 0;
};
