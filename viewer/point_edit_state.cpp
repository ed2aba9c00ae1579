#include "viewer/point_edit_state.h"

PointEditState g_editState;
