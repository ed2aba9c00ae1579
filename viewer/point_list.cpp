#include "viewer/point_list.h"

#include <cassert>
#include <cmath>

bool PointList::addPoint(ImagePoint point)
{
    if (pointCount() >= maxPoints_)
        return false;
    point.index = pointCounter_;
    serials_.add(point.index, frontSerial_ + records_.size());
    records_.push_back(point);
    if (notifier_)
        notifier_(point.index);
    ++pointCounter_;
    return true;
}

ImagePoint PointList::nextPoint()
{
    return currentPointRef();
}

ImagePoint& PointList::currentPointRef()
{
    assert(cursor_ < records_.size() && "walked past the last point");
    if (cursor_ >= records_.size()) {
        pastTheEnd_ = ImagePoint();
        return pastTheEnd_;
    }
    return records_[cursor_++];
}

void PointList::removeFirstPoint()
{
    if (records_.empty())
        return;
    serials_.removeOldest(records_.front().index, frontSerial_);
    records_.pop_front();
    ++frontSerial_;
    --pointCounter_;
    if (cursor_ > 0)
        --cursor_;   // the cursor stays on the same record
}

// The same as removeFirstPoint until the list is empty, at once.
void PointList::removeAllPoints()
{
    const int32_t count = pointCount();
    records_.clear();
    serials_.clear();
    frontSerial_ += uint64_t(count);
    pointCounter_ -= count;
    cursor_ = 0;
}

void PointList::setMaxPoints(int32_t n)
{
    maxPoints_ = n;
    while (pointCount() > n && !records_.empty())
        removeFirstPoint();
}

void PointList::selectAll()
{
    for (ImagePoint& p : records_)
        p.selected = 1;
}

void PointList::deselectAll()
{
    for (ImagePoint& p : records_)
        p.selected = 0;
}

void PointList::clearKeepSelected()
{
    for (ImagePoint& p : records_)
        p.keepSelected = 0;
}

void PointList::keepSelection()
{
    for (ImagePoint& p : records_)
        if (p.selected)
            p.keepSelected = 1;
}

template <typename Visit> void PointList::forEachWithIndex(int32_t index, Visit visit)
{
    serials_.forEach(index, [&](uint64_t serial) { visit(records_[static_cast<size_t>(serial - frontSerial_)]); });
}

void PointList::selectByIndex(const ImagePoint& point)
{
    forEachWithIndex(point.index, [](ImagePoint& p) { p.selected = 1; });
}

void PointList::deselectAt(const ImagePoint& point)
{
    for (ImagePoint& p : records_)
        if (p.x == point.x && p.y == point.y)
            p.selected = 0;
}

uint8_t PointList::isSelectedAt(const ImagePoint& point) const
{
    for (const ImagePoint& p : records_)
        if (p.x == point.x && p.y == point.y)
            return p.selected;
    return 0;
}

// Float to int32 toward zero, saturating, so a wild mouse delta cannot overflow.
static int32_t truncateToInt(float value)
{
    if (!(value > -2147483648.0f))
        return value != value ? 0 : INT32_MIN;
    if (value >= 2147483648.0f)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

void PointList::setMotion(int32_t i, float dx, float dy, int32_t kind)
{
    const int32_t mdx = truncateToInt(dx);
    const int32_t mdy = truncateToInt(dy);
    forEachWithIndex(i, [&](ImagePoint& p) {
        p.motionDx = mdx;
        p.motionDy = mdy;
        p.motionPending = 1;
        p.motionKind = kind;
    });
}

void PointList::setMotionOfSelected(float dx, float dy, int32_t kind)
{
    if (serials_.sharedIndices() == 0) {
        // Every index names one record: the selected records are exactly the ones to move.
        const int32_t mdx = truncateToInt(dx), mdy = truncateToInt(dy);
        for (ImagePoint& p : records_) {
            if (!p.selected)
                continue;
            p.motionDx = mdx;
            p.motionDy = mdy;
            p.motionPending = 1;
            p.motionKind = kind;
        }
        return;
    }
    for (size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].selected)
            setMotion(records_[i].index, dx, dy, kind);
    }
}
