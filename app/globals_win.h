#pragma once
// Process-wide state of the editor that is not the texture pane's (those are in
// viewer/viewer_settings.h), and the one reset of all process-wide state.
#include <windows.h>

#include <memory>

// Owner instance for the dialogs and bitmap loading.
extern HINSTANCE g_hInstance;
// An X file has been loaded, so the pane's points may be written into the mesh.
extern bool g_meshHasPoints;
// The user has opened a mesh file; only then is the mesh drawn.
extern bool g_meshShown;
// Project... laid the pane's points on the checker, for want of a bitmap with a size.
extern bool g_pointsOnChecker;
// Plane Select dialog: the chosen plane (1033 xy, 1034 yz, 1035 xz, 0 none) and mirroring.
extern int g_planeChoice;
extern bool g_reverseU;
extern bool g_reverseV;
// Scale of the marker drawn at a selected vertex.
extern float g_markerScale;

// Puts all process-wide state back to its start, each part through the reset beside it: the
// editor's globals (with `instance` as g_hInstance), the file materials, the pane's settings
// and editing state, the apply hook, the image groups, the element tree, the button register,
// the 3DS records and file, the save-failure hook, the application timer and the fatal-error
// flag. The entry point calls it before anything exists; a test calls it between editors or
// panes, never while one is in use (their groups are deleted).
void ResetProcessGlobals(HINSTANCE instance);

// The name of the current bitmap (texture) file.
class TextureFileName {
public:
    // Copies `name` (cut to 1023 characters) into the buffer, made on the first set.
    void set(const char* name);
    // Frees the buffer.
    void clear();
    // The name, or null when none is set.
    const char* get() const { return m_text.get(); }

private:
    static const int kCapacity = 1024;
    std::unique_ptr<char[]> m_text;
};

extern TextureFileName g_textureFileName;
