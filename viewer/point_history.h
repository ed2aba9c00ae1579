#pragma once
// The undo history of the pane's point positions. A step is one command or one drag: the
// points it moved, each with the position it had on the other side of the step. Undo and redo
// swap those positions with the list's, so both put every point back bit for bit.
//
// Any command that moves points records its step with one call:
//
//     history.record(points, "Projection", [&] { ...move, remove or re-add points... });
//
// or, when the change spans several messages (a drag from button-down to button-up), with
// capture() before and commit() after. Only positions (x, y) are kept: selection is not a step.
// The history holds at most byteLimit() bytes of steps, dropping the oldest first.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "viewer/point_list.h"

struct PointPosition {
    float x = 0.0f;
    float y = 0.0f;
};

class PointHistory {
public:
    static constexpr size_t kDefaultByteLimit = size_t(64) << 20;

    explicit PointHistory(size_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) {}

    // Remembers every point's position: the state the next commit compares with.
    void capture(const PointList& points);
    // Ends what capture began: records one step named `label` holding the points whose
    // position differs from the capture (bitwise), and forgets the redo steps. Nothing is
    // recorded when no point moved, or when the list's length changed (then the positions no
    // longer match the capture's points and the whole history is cleared). Returns whether
    // a step was recorded.
    bool commit(const PointList& points, const char* label);
    // capture, change(), commit.
    template <typename Change> bool record(PointList& points, const char* label, Change change)
    {
        capture(points);
        change();
        return commit(points, label);
    }
    // Whether a capture waits for its commit.
    bool capturing() const { return capturing_; }

    // Undo or redo the latest step on `points`. Returns false (and changes nothing) when there
    // is none, or when the list no longer has the points the step names; the history is then
    // cleared, since none of its steps can apply.
    bool undo(PointList& points);
    bool redo(PointList& points);

    bool canUndo() const { return undoCount_ > 0; }
    bool canRedo() const { return undoCount_ < steps_.size(); }
    // Labels of the steps undo and redo would apply; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;

    void clear();
    size_t bytes() const { return bytes_; }
    size_t byteLimit() const { return byteLimit_; }
    size_t stepCount() const { return steps_.size(); }

private:
    // Changed points as runs of consecutive list positions; positions[] follows the runs.
    struct Run {
        uint32_t first = 0;
        uint32_t count = 0;
    };
    struct Step {
        std::string label;
        uint32_t pointCount = 0;   // the list's length the step belongs to
        std::vector<Run> runs;
        std::vector<PointPosition> positions;
        size_t bytes() const;
    };

    bool swap(PointList& points, Step& step);
    void dropOldestOverLimit();

    std::deque<Step> steps_;
    size_t undoCount_ = 0;   // steps_[0 .. undoCount_) can be undone, the rest redone
    size_t bytes_ = 0;
    size_t byteLimit_;
    std::vector<PointPosition> captured_;
    bool capturing_ = false;
};
