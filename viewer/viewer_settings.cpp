#include "viewer/viewer_settings.h"

bool g_autoUpdateMesh = false;
int g_lineColorIndex = 0;
int g_repeatHorizontal = 2;
int g_repeatVertical = 2;
bool g_pointsReady = true;
bool g_snapToTexels = false;
bool shiftDown = false;
bool ctrlDown = false;

void resetViewerSettings()
{
    g_autoUpdateMesh = false;
    g_lineColorIndex = 0;
    g_repeatHorizontal = 2;
    g_repeatVertical = 2;
    g_pointsReady = true;
    g_snapToTexels = false;
    shiftDown = false;
    ctrlDown = false;
}
