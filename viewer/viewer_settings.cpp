#include "viewer/viewer_settings.h"

bool g_autoUpdateMesh = false;
int g_lineColorIndex = 0;
int g_repeatHorizontal = 2;
int g_repeatVertical = 2;
bool g_pointsReady = true;
bool g_snapToTexels = false;
bool g_checkerShown = false;
bool g_stretchShown = false;
bool shiftDown = false;
bool ctrlDown = false;

unsigned wireframeColour()
{
    const unsigned colours[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    return g_lineColorIndex >= 0 && g_lineColorIndex < 4 ? colours[g_lineColorIndex] : 0;
}

void resetViewerSettings()
{
    g_autoUpdateMesh = false;
    g_lineColorIndex = 0;
    g_repeatHorizontal = 2;
    g_repeatVertical = 2;
    g_pointsReady = true;
    g_snapToTexels = false;
    g_checkerShown = false;
    g_stretchShown = false;
    shiftDown = false;
    ctrlDown = false;
}
