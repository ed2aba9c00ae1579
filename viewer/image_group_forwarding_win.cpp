// The group's point and edge operations: each works on the active window's lists, and does
// nothing (after the log line of activeWindow) when there is no active window.
#include "viewer/image_group_win.h"

void ImageGroup::addPoint(ImagePoint point)
{
    if (ImageWindow* w = activeWindow())
        w->points.addPoint(point);
}

int32_t ImageGroup::pointCount() const
{
    const ImageWindow* w = activeWindow();
    return w ? w->points.pointCount() : 0;
}

void ImageGroup::resetPointIterator()
{
    if (ImageWindow* w = activeWindow())
        w->points.resetPointIterator();
}

ImagePoint ImageGroup::nextPoint()
{
    ImageWindow* w = activeWindow();
    return w ? w->points.nextPoint() : ImagePoint();
}

ImagePoint& ImageGroup::currentPointRef()
{
    if (ImageWindow* w = activeWindow())
        return w->points.currentPointRef();
    noPoint_ = ImagePoint();
    return noPoint_;
}

void ImageGroup::removeFirstPoint()
{
    if (ImageWindow* w = activeWindow())
        w->points.removeFirstPoint();
}

void ImageGroup::removeAllPoints()
{
    if (ImageWindow* w = activeWindow())
        w->points.removeAllPoints();
}

void ImageGroup::selectAll()
{
    if (ImageWindow* w = activeWindow())
        w->points.selectAll();
}

void ImageGroup::deselectAll()
{
    if (ImageWindow* w = activeWindow())
        w->points.deselectAll();
}

void ImageGroup::clearKeepSelected()
{
    if (ImageWindow* w = activeWindow())
        w->points.clearKeepSelected();
}

void ImageGroup::keepSelection()
{
    if (ImageWindow* w = activeWindow())
        w->points.keepSelection();
}

void ImageGroup::selectByIndex(const ImagePoint& point)
{
    if (ImageWindow* w = activeWindow())
        w->points.selectByIndex(point);
}

void ImageGroup::deselectAt(const ImagePoint& point)
{
    if (ImageWindow* w = activeWindow())
        w->points.deselectAt(point);
}

uint8_t ImageGroup::isSelectedAt(const ImagePoint& point) const
{
    const ImageWindow* w = activeWindow();
    return w ? w->points.isSelectedAt(point) : 0;
}

void ImageGroup::setMotion(int32_t index, float dx, float dy, int32_t kind)
{
    if (ImageWindow* w = activeWindow())
        w->points.setMotion(index, dx, dy, kind);
}

void ImageGroup::addEdge(int32_t a, int32_t b)
{
    if (ImageWindow* w = activeWindow())
        w->edges.addEdge(a, b);
}

void ImageGroup::releaseEdgeLookup()
{
    if (ImageWindow* w = activeWindow())
        w->edges.releaseLookup();
}

int32_t ImageGroup::edgeCount() const
{
    const ImageWindow* w = activeWindow();
    return w ? w->edges.edgeCount() : 0;
}

void ImageGroup::resetEdgeIterator()
{
    if (ImageWindow* w = activeWindow())
        w->edges.resetEdgeIterator();
}

EdgePair ImageGroup::nextEdge()
{
    ImageWindow* w = activeWindow();
    return w ? w->edges.nextEdge() : EdgePair();
}

void ImageGroup::clearEdges()
{
    if (ImageWindow* w = activeWindow())
        w->edges.clearEdges();
}

HWND ImageGroup::windowHandle() const
{
    const ImageWindow* w = activeWindow();
    return w ? w->hwnd : nullptr;
}

ImageBitmap* ImageGroup::windowBitmap() const
{
    ImageWindow* w = activeWindow();
    return w ? &w->bitmap : nullptr;
}

HINSTANCE ImageGroup::windowInstance() const
{
    const ImageWindow* w = activeWindow();
    return w ? w->instance : nullptr;
}

bool ImageGroup::mouseDown() const
{
    const ImageWindow* w = activeWindow();
    return w && w->mouseDown;
}

void ImageGroup::setMouseDown()
{
    if (ImageWindow* w = activeWindow())
        w->mouseDown = true;
}

void ImageGroup::clearMouseDown()
{
    if (ImageWindow* w = activeWindow())
        w->mouseDown = false;
}
