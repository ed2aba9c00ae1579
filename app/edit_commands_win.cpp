// The Edit menu: undo and redo of the pane's point positions, and the menu's labels.
#include "app/my_d3d_application_win.h"

#include <string>

#include "resources/resource.h"
#include "viewer/image_group_win.h"
#include "viewer/point_edit_state.h"
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

} // namespace

ImageWindow* CMyD3DApplication::EditableWindow() const
{
    ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    // A command in the middle of a drag would be mixed into the drag's step.
    if (!window || window->mouseDown)
        return nullptr;
    return window;
}

void CMyD3DApplication::ShowMovedPoints(ImageWindow& window)
{
    // The mesh follows as it does after a drag: at once with automatic update, else on apply.
    if (g_autoUpdateMesh)
        g_editState.applyRequested = true;
    window.repaint();
}

void CMyD3DApplication::UpdateEditMenu(HMENU menu)
{
    const ImageWindow* window = EditableWindow();
    const PointHistory* history = window ? &window->history : nullptr;
    setHistoryItem(menu, IDM_UNDO, "&Undo", history ? history->undoLabel() : "", "\tCtrl+Z");
    setHistoryItem(menu, IDM_REDO, "&Redo", history ? history->redoLabel() : "", "\tCtrl+Y");
}

bool CMyD3DApplication::HandleEditCommand(UINT command)
{
    ImageWindow* window = EditableWindow();
    switch (command) {
    case IDM_UNDO:
        if (window && window->history.undo(window->points))
            ShowMovedPoints(*window);
        return true;
    case IDM_REDO:
        if (window && window->history.redo(window->points))
            ShowMovedPoints(*window);
        return true;
    default:
        return false;
    }
}

void CMyD3DApplication::ForgetPointHistory()
{
    if (ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr)
        window->history.clear();
}
