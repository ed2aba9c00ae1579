#include "viewer/point_history.h"

#include <cstring>

namespace {

bool samePosition(const ImagePoint& p, const PointPosition& q)
{
    // Bitwise, so a -0 / +0 or NaN change counts as a move and comes back exactly.
    return std::memcmp(&p.x, &q.x, sizeof(float)) == 0 && std::memcmp(&p.y, &q.y, sizeof(float)) == 0;
}

}  // namespace

size_t PointHistory::Step::bytes() const
{
    return sizeof(Step) + label.capacity() + runs.capacity() * sizeof(Run) +
           positions.capacity() * sizeof(PointPosition);
}

void PointHistory::capture(const PointList& points)
{
    captured_.clear();
    captured_.reserve(size_t(points.pointCount()));
    points.forEachPoint([&](const ImagePoint& p) { captured_.push_back(PointPosition{p.x, p.y}); });
    capturing_ = true;
}

bool PointHistory::commit(const PointList& points, const char* label)
{
    if (!capturing_)
        return false;
    capturing_ = false;
    if (size_t(points.pointCount()) != captured_.size()) {
        clear();
        return false;
    }
    Step step;
    step.label = label;
    step.pointCount = uint32_t(captured_.size());
    uint32_t position = 0;
    points.forEachPoint([&](const ImagePoint& p) {
        const PointPosition& before = captured_[position];
        if (!samePosition(p, before)) {
            if (step.runs.empty() || step.runs.back().first + step.runs.back().count != position)
                step.runs.push_back(Run{position, 0});
            ++step.runs.back().count;
            step.positions.push_back(before);
        }
        ++position;
    });
    captured_.clear();
    captured_.shrink_to_fit();
    if (step.positions.empty())
        return false;
    step.runs.shrink_to_fit();
    step.positions.shrink_to_fit();
    while (steps_.size() > undoCount_) {
        bytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    bytes_ += step.bytes();
    steps_.push_back(std::move(step));
    ++undoCount_;
    dropOldestOverLimit();
    return !steps_.empty();
}

void PointHistory::dropOldestOverLimit()
{
    while (bytes_ > byteLimit_ && !steps_.empty()) {
        bytes_ -= steps_.front().bytes();
        steps_.pop_front();
        if (undoCount_ > 0)
            --undoCount_;
    }
}

bool PointHistory::swap(PointList& points, Step& step)
{
    if (uint32_t(points.pointCount()) != step.pointCount) {
        clear();
        return false;
    }
    size_t next = 0;
    for (const Run& run : step.runs) {
        for (uint32_t k = 0; k < run.count; ++k) {
            ImagePoint& point = points.at(int32_t(run.first + k));
            PointPosition& stored = step.positions[next++];
            const PointPosition current{point.x, point.y};
            point.x = stored.x;
            point.y = stored.y;
            stored = current;
        }
    }
    return true;
}

bool PointHistory::undo(PointList& points)
{
    if (!canUndo() || !swap(points, steps_[undoCount_ - 1]))
        return false;
    --undoCount_;
    return true;
}

bool PointHistory::redo(PointList& points)
{
    if (!canRedo() || !swap(points, steps_[undoCount_]))
        return false;
    ++undoCount_;
    return true;
}

std::string PointHistory::undoLabel() const
{
    return canUndo() ? steps_[undoCount_ - 1].label : std::string();
}

std::string PointHistory::redoLabel() const
{
    return canRedo() ? steps_[undoCount_].label : std::string();
}

void PointHistory::clear()
{
    steps_.clear();
    undoCount_ = 0;
    bytes_ = 0;
    captured_.clear();
    capturing_ = false;
}
