#include "viewer/point_edit_state.h"

PointEditState g_editState;

void resetEditState()
{
    g_editState = PointEditState();
}
