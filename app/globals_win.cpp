#include "app/globals_win.h"

#include "framework/text_buffer.h"
#include "viewer/viewer_settings.h"

HINSTANCE g_hInstance = nullptr;
bool g_meshHasPoints = false;
bool g_meshShown = false;
int g_planeChoice = 0;
bool g_reverseU = false;
bool g_reverseV = false;
float g_markerScale = 0.0f;

void ResetProcessGlobals(HINSTANCE instance) {
    g_hInstance = instance;
    g_pointsReady = true;
    g_meshHasPoints = false;
    g_meshShown = false;
    g_autoUpdateMesh = false;
    g_lineColorIndex = 0;
    g_repeatHorizontal = 2;
    g_repeatVertical = 2;
}

void TextureFileName::set(const char* name) {
    if (!m_text)
        m_text = std::make_unique<char[]>(kCapacity);
    CopyBounded(m_text.get(), name, kCapacity);
}

void TextureFileName::clear() {
    m_text.reset();
}

TextureFileName g_textureFileName;
