#include "viewer/index_serials.h"

#include <cassert>

void IndexSerials::add(int32_t index, uint64_t serial)
{
    if (isDense(index)) {
        if (size_t(index) >= first_.size())
            first_.resize(size_t(index) + 1, kNone);
        if (first_[size_t(index)] == kNone) {
            first_[size_t(index)] = serial;
            return;
        }
        std::vector<uint64_t>& more = more_[index];
        more.push_back(serial);
        shared_ += more.size() == 1;
        return;
    }
    std::vector<uint64_t>& all = more_[index];
    all.push_back(serial);
    shared_ += all.size() == 2;
}

void IndexSerials::removeOldest(int32_t index, uint64_t serial)
{
    const auto more = more_.find(index);
    if (isDense(index)) {
        assert(size_t(index) < first_.size() && first_[size_t(index)] == serial);
        if (size_t(index) >= first_.size() || first_[size_t(index)] != serial)
            return;
        if (more == more_.end()) {
            first_[size_t(index)] = kNone;
            return;
        }
        first_[size_t(index)] = more->second.front();
        more->second.erase(more->second.begin());
        if (more->second.empty()) {
            more_.erase(more);
            --shared_;
        }
        return;
    }
    assert(more != more_.end() && more->second.front() == serial);
    if (more == more_.end() || more->second.front() != serial)
        return;
    more->second.erase(more->second.begin());
    shared_ -= more->second.size() == 1;
    if (more->second.empty())
        more_.erase(more);
}

void IndexSerials::clear()
{
    first_.clear();
    more_.clear();
    shared_ = 0;
}
