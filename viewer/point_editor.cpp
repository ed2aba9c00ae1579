#include "viewer/point_editor.h"

#include "viewer/point_picking.h"

static void changeSelectionAt(PointList& points, int32_t hit, EditKeys keys)
{
    const ImagePoint candidate = points.at(hit);
    if (keys.ctrl && points.isSelectedAt(candidate))
        points.deselectAt(candidate);
    else
        points.selectByIndex(candidate);
}

void pressButton(PointList& points, PointEditState& state, const PaneView& view, EditKeys keys,
                 int mx, int my)
{
    const FloatPair click{static_cast<float>(mx + view.scrollX), static_cast<float>(my + view.scrollY)};
    if (!keys.shift && !keys.ctrl) {
        points.clearKeepSelected();
        points.deselectAll();
    }
    const int32_t hit = pickPoint(points, click, view.zoom);
    if (hit >= 0) {
        changeSelectionAt(points, hit, keys);
    } else {
        state.bandActive = true;
        state.bandStart = FloatPair{static_cast<float>(mx), static_cast<float>(my)};
        state.bandEnd = state.bandStart;
    }
    FloatPair mean;
    if (selectionCentroid(points, mean))
        state.pivot = FloatPair{mean.x * view.zoom, mean.y * view.zoom};
}

bool moveMouse(PointList& points, PointEditState& state, const PaneView& view, bool buttonDown,
               int mx, int my)
{
    const FloatPair mouse{static_cast<float>(mx), static_cast<float>(my)};
    const FloatPair delta{mouse.x - state.lastMouse.x, mouse.y - state.lastMouse.y};
    state.lastMouse = mouse;
    if (state.bandActive) {
        state.bandEnd = mouse;
        selectInsideBand(points, state.bandStart, state.bandEnd, view);
        return true;
    }
    if (!buttonDown)
        return false;
    points.setMotionOfSelected(delta.x, delta.y, state.editMode);
    return true;
}

void releaseButton(PointList& points, PointEditState& state, bool autoUpdate)
{
    state.bandActive = false;
    points.keepSelection();
    if (autoUpdate)
        state.applyRequested = true;
}
