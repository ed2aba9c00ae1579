#include "viewer/image_window_proc_win.h"

#include "base/device_context_win.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_registry_win.h"
#include "viewer/point_edit_state.h"
#include "viewer/point_editor.h"
#include "viewer/selection_transform.h"
#include "viewer/viewer_settings.h"

namespace {

PaneView viewOf(const ImageWindow& window)
{
    return PaneView{window.zoom, window.scrollX, window.scrollY};
}

// The pane's mouse positions are the low and high words of lParam read as unsigned 16-bit
// numbers: a drag past the window's left or top edge gives a large position, not a negative one.
int mouseX(LPARAM lParam) { return LOWORD(lParam); }
int mouseY(LPARAM lParam) { return HIWORD(lParam); }

void handleKey(WPARAM key, bool down)
{
    if (key == VK_SHIFT)
        shiftDown = down;
    else if (key == VK_CONTROL)
        ctrlDown = down;
}

// Arrow keys move the selection by a texel, with Shift by ten: one undo step per key.
bool nudge(ImageWindow& window, WPARAM key)
{
    const double step = shiftDown ? 10.0 : 1.0;
    PointTransform t;
    switch (key) {
    case VK_LEFT: t.offsetX = -step; break;
    case VK_RIGHT: t.offsetX = step; break;
    case VK_UP: t.offsetY = -step; break;
    case VK_DOWN: t.offsetY = step; break;
    default: return false;
    }
    if (window.mouseDown)
        return true;
    TransformResult result = TransformResult::NothingSelected;
    window.history.record(window.points, "Nudge",
                          [&] { result = transformSelection(window.points, t, g_snapToTexels); });
    if (result == TransformResult::Done)
        window.pointsMoved();
    return true;
}

void handleCommand(ImageGroup& group, ImageWindow& window, WPARAM wParam, LPARAM lParam)
{
    logLine("Recieved a WM_COMMAND message");
    switch (LOWORD(wParam)) {
    case CommandZoomIn:
        window.zoomBy(kZoomStep);
        return;
    case CommandZoomOut:
        window.zoomBy(-kZoomStep);
        return;
    case CommandApply:
        g_editState.applyRequested = true;
        window.repaint();
        return;
    case CommandMoveMode:
        g_editState.editMode = MotionMove;
        return;
    case CommandScaleMode:
        g_editState.editMode = MotionScale;
        return;
    case CommandRotateMode:
        g_editState.editMode = MotionRotate;
        return;
    default:
        group.handleButton(reinterpret_cast<HWND>(lParam));
        return;
    }
}

const char* dragLabel(int32_t mode)
{
    switch (mode) {
    case MotionRotate: return "Rotate";
    case MotionScale: return "Scale";
    default: return "Move";
    }
}

void paintWindow(HWND hwnd, ImageWindow& window)
{
    PaintDc dc(hwnd);
    if (dc)
        window.paint(dc);
}

// Handles `message` on the group's active window; false for messages left to DefWindowProcA.
bool handleMessage(ImageGroup& group, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ImageWindow* window = group.activeWindow();
    if (!window)
        return false;
    switch (message) {
    case WM_PAINT:
        paintWindow(hwnd, *window);
        return true;
    case WM_PRINTCLIENT:
        window->printClient(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_SIZE:
        window->resized();
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        window->scroll(message == WM_HSCROLL, wParam);
        return true;
    case WM_COMMAND:
        handleCommand(group, *window, wParam, lParam);
        return true;
    case WM_KEYDOWN:
        if (!nudge(*window, wParam))
            handleKey(wParam, true);
        return true;
    case WM_KEYUP:
        handleKey(wParam, false);
        return true;
    case WM_LBUTTONDOWN:
        window->mouseDown = true;
        window->dragMoved = false;
        SetFocus(hwnd);   // the arrow keys nudge the selection from here on
        // The drag from here to the button's release is one undo step.
        window->history.capture(window->points);
        pressButton(window->points, g_editState, viewOf(*window), EditKeys{shiftDown, ctrlDown},
                    mouseX(lParam), mouseY(lParam));
        window->repaint();
        return true;
    case WM_MOUSEMOVE:
        window->dragMoved = window->dragMoved || (window->mouseDown && !g_editState.bandActive);
        if (moveMouse(window->points, g_editState, viewOf(*window), window->mouseDown, mouseX(lParam),
                      mouseY(lParam)))
            window->repaint();
        return true;
    case WM_LBUTTONUP:
        window->mouseDown = false;
        if (window->dragMoved && g_snapToTexels)
            snapSelection(window->points);
        releaseButton(window->points, g_editState, g_autoUpdateMesh);
        window->repaint();
        window->history.commit(window->points, dragLabel(g_editState.editMode));
        return true;
    case WM_DESTROY:
        forgetDestroyedWindow(hwnd);
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT CALLBACK imageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd || g_constructingGroup)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    ImageGroup* group = findGroupByWindow(hwnd);
    if (!group && message == WM_COMMAND) {
        group = findGroupByBase(hwnd);
        if (!group)
            logLine("iw == NULL");
    }
    if (!group) {
        if (message == WM_DESTROY)
            forgetDestroyedWindow(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_ERASEBKGND)
        return 1;   // the paint fills the background itself, off screen: no flicker
    if (handleMessage(*group, hwnd, message, wParam, lParam))
        return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
