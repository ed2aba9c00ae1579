#pragma once
// The ordered list of an image window's points: the k-th record belongs to the k-th vertex
// the application added. Records go in and come out by value; the read cursor walks them in
// order. Removal happens only at the front, so a deque keeps every operation cheap, and an
// index -> records table lets the per-point operations (setMotion, selectByIndex) avoid
// scanning.
#include "viewer/image_point.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "viewer/index_serials.h"

class PointList {
public:
    // Called by addPoint after the record is stored and before the counter moves on, with the
    // new record's index. The window layer uses it to tell its parent window.
    using AddNotifier = std::function<void(int32_t index)>;

    static constexpr int32_t kDefaultMaxPoints = 70000;

    void setAddNotifier(AddNotifier notifier) { notifier_ = std::move(notifier); }

    // Appends a copy of `point` with index = pointCounter, notifies, then increases the counter.
    // A full list (pointCount >= maxPoints) drops the point silently; returns whether it was added.
    bool addPoint(ImagePoint point);
    int32_t pointCount() const { return static_cast<int32_t>(records_.size()); }

    // The read cursor. After a reset, nextPoint / currentPointRef may be called pointCount times.
    void resetPointIterator() { cursor_ = 0; }
    ImagePoint nextPoint();
    ImagePoint& currentPointRef();

    // Front removal; each decreases pointCounter. Both do nothing on an empty list.
    void removeFirstPoint();
    void removeAllPoints();
    // Sets the limit; a longer list loses records from the front until exactly n remain.
    void setMaxPoints(int32_t n);
    int32_t maxPoints() const { return maxPoints_; }

    int32_t pointCounter() const { return pointCounter_; }
    void setPointCounter(int32_t value) { pointCounter_ = value; }

    void selectAll();
    void deselectAll();
    void clearKeepSelected();
    // Every selected record also gets keepSelected; others are left alone.
    void keepSelection();
    // Selects every record whose index equals point.index.
    void selectByIndex(const ImagePoint& point);
    // Deselects every record at exactly point's x and y.
    void deselectAt(const ImagePoint& point);
    // `selected` of the first record at exactly point's x and y; 0 when none is there.
    uint8_t isSelectedAt(const ImagePoint& point) const;
    // Gives every record with index i the pending motion (dx, dy) (truncated toward zero) of
    // the given kind.
    void setMotion(int32_t i, float dx, float dy, int32_t kind);
    // setMotion for the index of every selected record, in list order: a record shares in the
    // motion when any record with its index is selected.
    void setMotionOfSelected(float dx, float dy, int32_t kind);

    // Calls visit(record) for every record in order, without disturbing the read cursor: the
    // quickest walk over all of them. The `index` field must not be changed.
    template <typename Visit> void forEachPoint(Visit visit)
    {
        for (ImagePoint& p : records_)
            visit(p);
    }
    template <typename Visit> void forEachPoint(Visit visit) const
    {
        for (const ImagePoint& p : records_)
            visit(p);
    }

    // Positional access for walks that must not disturb the read cursor (paint, pick, band).
    // The `index` field of a record must not be changed through these references.
    ImagePoint& at(int32_t position) { return records_[static_cast<size_t>(position)]; }
    const ImagePoint& at(int32_t position) const { return records_[static_cast<size_t>(position)]; }

private:
    template <typename Visit> void forEachWithIndex(int32_t index, Visit visit);

    std::deque<ImagePoint> records_;
    // index -> serial numbers of the records carrying it, oldest first. A record's position is
    // its serial minus frontSerial_, so removals at the front keep the table valid.
    IndexSerials serials_;
    uint64_t frontSerial_ = 0;
    size_t cursor_ = 0;
    int32_t pointCounter_ = 0;
    int32_t maxPoints_ = kDefaultMaxPoints;
    AddNotifier notifier_;
    ImagePoint pastTheEnd_;   // what a walk past the last record gets instead of foreign memory
};
