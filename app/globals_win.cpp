#include "app/globals_win.h"

#include "app/subset_materials_win.h"
#include "base/atomic_file.h"
#include "framework/app_timer.h"
#include "framework/error_report_win.h"
#include "framework/text_buffer.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "toolkit/controls_win.h"
#include "toolkit/element_tree_win.h"
#include "viewer/apply_request.h"
#include "viewer/image_group_registry_win.h"
#include "viewer/point_edit_state.h"
#include "viewer/viewer_settings.h"

HINSTANCE g_hInstance = nullptr;
bool g_meshHasPoints = false;
bool g_pointsOnChecker = false;
bool g_meshShown = false;
int g_planeChoice = 0;
bool g_reverseU = false;
bool g_reverseV = false;
float g_markerScale = 0.0f;

namespace {

void resetEditorGlobals(HINSTANCE instance) {
    g_hInstance = instance;
    g_meshHasPoints = false;
    g_meshShown = false;
    g_pointsOnChecker = false;
    g_planeChoice = 0;
    g_reverseU = false;
    g_reverseV = false;
    g_markerScale = 0.0f;
    g_textureFileName.clear();
}

}  // namespace

void ResetProcessGlobals(HINSTANCE instance) {
    resetEditorGlobals(instance);
    g_fileMaterials.clear();
    resetViewerSettings();
    resetEditState();
    setApplyPointsHandler(nullptr);
    resetImageGroups();
    resetElementTree();
    resetButtons();
    g_meshRecords.clear();
    g_chunk3dsFile.reset();
    stopFailingSaves();
    resetAppTimer();
    resetFatalErrorReport();
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
