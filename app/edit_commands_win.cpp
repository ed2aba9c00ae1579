// The Edit menu: undo and redo of the pane's point positions with the menu's labels, flips and
// quarter turns, the selection commands and snapping.
#include "app/my_d3d_application_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/editor_dialogs_win.h"
#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/texture_pane_win.h"
#include "resources/resource.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"
#include "viewer/point_edit_state.h"
#include "viewer/selection_commands.h"
#include "viewer/selection_transform.h"
#include "viewer/viewer_settings.h"

namespace {

// "Undo Move\tCtrl+Z", or the bare command when there is nothing to name.
void setHistoryItem(HMENU menu, UINT command, const char* verb, const std::string& label,
                    const char* keys)
{
    std::string text = verb;
    if (!label.empty())
        text += " " + label;
    text += keys;
    const UINT greyed = label.empty() ? MF_GRAYED : MF_ENABLED;
    ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING | greyed, command, text.c_str());
}

struct ShapeCommand {
    UINT command;
    const char* label;
    PointTransform (*transform)();
};
PointTransform clockwise() { return quarterTurn(true); }
PointTransform counterClockwise() { return quarterTurn(false); }
const ShapeCommand kShapeCommands[] = {
    {IDM_FLIP_HORIZONTAL, "Flip Horizontally", flipHorizontally},
    {IDM_FLIP_VERTICAL, "Flip Vertically", flipVertically},
    {IDM_ROTATE_CLOCKWISE, "Rotate 90\xB0 Clockwise", clockwise},
    {IDM_ROTATE_COUNTERCLOCKWISE, "Rotate 90\xB0 Counter-Clockwise", counterClockwise},
};

} // namespace

ImageWindow* CMyD3DApplication::EditableWindow() const
{
    ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    // A command in the middle of a drag would be mixed into the drag's step.
    if (!window || window->mouseDown)
        return nullptr;
    return window;
}

void CMyD3DApplication::UpdateEditMenu(HMENU menu)
{
    const ImageWindow* window = EditableWindow();
    const PointHistory* history = window ? &window->history : nullptr;
    setHistoryItem(menu, IDM_UNDO, "&Undo", history ? history->undoLabel() : "", "\tCtrl+Z");
    setHistoryItem(menu, IDM_REDO, "&Redo", history ? history->redoLabel() : "", "\tCtrl+Y");
}

bool CMyD3DApplication::ReportTransform(TransformResult result)
{
    if (result == TransformResult::NothingSelected)
        errorBox("No point is selected: select points in the texture pane first.");
    else if (result == TransformResult::NotFinite)
        errorBox("The points would go beyond the range of positions; nothing was changed.");
    return result == TransformResult::Done;
}

void CMyD3DApplication::ChangeSelectedPoints(ImageWindow& window, const char* label,
                                             const std::function<TransformResult(PointList&)>& change)
{
    TransformResult result = TransformResult::NothingSelected;
    window.history.record(window.points, label, [&] { result = change(window.points); });
    if (ReportTransform(result))
        window.pointsMoved();
}

void CMyD3DApplication::ShowTransformDialog()
{
    ImageWindow* window = EditableWindow();
    if (!window)
        return;
    TransformDialogData data;
    const int32_t selected = selectedCount(window->points);
    if (selected == 0) {
        ReportTransform(TransformResult::NothingSelected);
        return;
    }
    data.onePoint = selected == 1;
    window->points.forEachPoint([&](const ImagePoint& p) {
        if (p.selected) {
            data.pointX = p.x;
            data.pointY = p.y;
        }
    });
    const PaneBitmapSize size = paneBitmapSize(*m_texturePane);
    data.bitmapWidth = size.width;
    data.bitmapHeight = size.height;
    if (DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_TRANSFORM), m_hMainWnd, TransformDlgProc,
                        LPARAM(&data)) <= 0)
        return;
    const TransformValues& v = data.values;
    const bool inUV = v.setPosition && data.positionInUV;
    if (inUV && (size.width <= 0 || size.height <= 0)) {
        errorBox("The bitmap has no size, so u and v name no texel; nothing was changed.");
        return;
    }
    const double unitX = inUV ? size.width : 1.0, unitY = inUV ? size.height : 1.0;
    ChangeSelectedPoints(*window, "Transform", [&](PointList& points) {
        if (v.setPosition)
            return placeSelection(points, v.positionX * unitX, v.positionY * unitY, g_snapToTexels);
        return transformSelection(points, typedTransform(v.moveX, v.moveY, v.degrees, v.scaleX, v.scaleY),
                                  g_snapToTexels);
    });
}

void CMyD3DApplication::ChangeSelection(UINT command)
{
    ImageWindow* window = EditableWindow();
    if (!window)
        return;
    PointList& points = window->points;
    switch (command) {
    case IDM_SELECT_NONE: selectNone(points); break;
    case IDM_INVERT_SELECTION: invertSelection(points); break;
    case IDM_SELECT_CONNECTED: growSelection(points, window->edges, true); break;
    case IDM_GROW_SELECTION: growSelection(points, window->edges, false); break;
    case IDM_SELECT_STACKED:
        if (m_meshData.sysMemMesh)
            selectStacked(points, meshPositions<std::array<float, 3>>(m_meshData.sysMemMesh));
        break;
    }
    window->repaint();
}

bool CMyD3DApplication::HandleEditCommand(UINT command)
{
    ImageWindow* window = EditableWindow();
    for (const ShapeCommand& shape : kShapeCommands)
        if (shape.command == command) {
            const PointTransform transform = shape.transform();
            if (window)
                ChangeSelectedPoints(*window, shape.label, [&](PointList& points) {
                    return transformSelection(points, transform, false);
                });
            return true;
        }
    switch (command) {
    case IDM_UNDO:
        if (window && window->history.undo(window->points))
            window->pointsMoved();
        return true;
    case IDM_REDO:
        if (window && window->history.redo(window->points))
            window->pointsMoved();
        return true;
    case IDM_SELECT_NONE:
    case IDM_INVERT_SELECTION:
    case IDM_SELECT_CONNECTED:
    case IDM_SELECT_STACKED:
    case IDM_GROW_SELECTION:
        ChangeSelection(command);
        return true;
    case IDM_TRANSFORM:
        ShowTransformDialog();
        return true;
    case IDM_SNAP_TO_TEXELS:
        g_snapToTexels = !g_snapToTexels;
        CheckMenuItem(GetMenu(m_hMainWnd), IDM_SNAP_TO_TEXELS, g_snapToTexels ? MF_CHECKED : MF_UNCHECKED);
        return true;
    default:
        return false;
    }
}

std::string CMyD3DApplication::EditStatusText() const
{
    const ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    if (!window || window->points.pointCount() == 0)
        return std::string();
    const float x = (g_editState.lastMouse.x + float(window->scrollX)) / window->zoom;
    const float y = (g_editState.lastMouse.y + float(window->scrollY)) / window->zoom;
    char text[160];
    int length = snprintf(text, sizeof(text), "%d of %d selected    %.1f, %.1f texels",
                          int(selectedCount(window->points)), int(window->points.pointCount()), x, y);
    const PaneBitmapSize size = paneBitmapSize(*m_texturePane);
    if (size.width > 0 && size.height > 0 && length > 0 && size_t(length) < sizeof(text))
        snprintf(text + length, sizeof(text) - size_t(length), "    u %.3f  v %.3f",
                 x / float(size.width), y / float(size.height));
    return text;
}

void CMyD3DApplication::UpdateEditStatus()
{
    const std::string text = EditStatusText();
    HMENU menu = m_hMainWnd ? GetMenu(m_hMainWnd) : nullptr;
    if (text == m_editStatus || !menu)
        return;
    m_editStatus = text;
    DeleteMenu(menu, IDM_EDIT_STATUS, MF_BYCOMMAND);
    if (!text.empty())
        AppendMenuA(menu, MF_STRING | MF_RIGHTJUSTIFY | MF_DISABLED, IDM_EDIT_STATUS, text.c_str());
    DrawMenuBar(m_hMainWnd);
}

void CMyD3DApplication::ForgetPointHistory()
{
    if (ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr)
        window->history.clear();
}
