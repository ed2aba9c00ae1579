#pragma once
// The real editor inside a test process: the application object made as the program makes it
// (process-wide defaults, Create with the program's resources), with the test reaching into its
// state, sending it commands and reading back the frames it draws.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/my_d3d_application_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/support/window_capture_win.h"
#include "viewer/image_group_win.h"

using Boxes = std::vector<std::string>;   // the texts of the message boxes a command showed

class EditorHost : public Recording<CMyD3DApplication> {
public:
    // Sets the process-wide defaults and creates the windows, the device and the resources,
    // as WinMain does. False when no device could be made.
    bool start();

    HWND paneWindow() const { return m_texturePane->windowHandle(); }
    ImageGroup& pane() const { return *m_texturePane; }
    MeshData& meshData() { return m_meshData; }
    DWORD meshOptions() const { return m_meshOptions; }
    BOOL force32ByteVertices() const { return m_force32ByteVertices; }
    DWORD& primitiveLimit() { return m_caps.MaxPrimitiveCount; }
    DWORD subsetCount() const { return m_numMaterials; }
    IDirect3DTexture9* subsetTexture(DWORD i) const { return m_textures[i]; }

    // A menu command of the main window, or an accelerator command of the 3D view.
    void menuCommand(UINT command) { SendMessageA(m_hMainWnd, WM_COMMAND, command, 0); }
    void viewCommand(UINT command) { SendMessageA(m_hDeviceWnd, WM_COMMAND, command, 0); }
    // A menu command whose message boxes are answered OK; their texts.
    Boxes menuBoxes(UINT command);
    // Open File / Save As / Open Bitmap answered with `name` from the current folder.
    Boxes openFile(const std::string& name) { return answerFileDialog(40011, name); }
    Boxes saveAs(const std::string& name) { return answerFileDialog(40050, name); }
    Boxes openBitmap(const std::string& name) { return answerFileDialog(40045, name); }
    // Menu `command`, whose dialog gets BM_CLICK on each of `clicks`, is seen by `look`, then
    // ends with `button`. Returns "caption:text" of each dialog and message box shown.
    std::vector<std::string> answerDialog(UINT command, const std::vector<int>& clicks, int button = IDOK,
                                          const std::function<void(HWND)>& look = {});
    void pressApply() { SendMessageA(paneWindow(), WM_COMMAND, 40054, 0); }   // the pane's button
    void resetView();   // the arcball at rest, as at start-up
    Capture frame();    // one frame as the loop draws it, read from the back buffer

    std::vector<ImagePoint> points() const;   // the pane's, in order

    // A mouse message to the pane at image position (x, y) of the active window; a plain
    // click there; a drag of the point there by (dx, dy) window pixels with Shift held, so
    // that an existing selection stays; a drag in the 3D view with the given button.
    void paneMouse(UINT message, float x, float y, WPARAM keys = 0);
    void click(float x, float y);
    void dragPoint(float x, float y, int dx, int dy);
    void viewDrag(UINT downMessage, UINT upMessage, WPARAM buttonKey, POINT from, POINT to);

private:
    Boxes answerFileDialog(UINT command, const std::string& name);
};

// The hue of a frame pixel (0x00RRGGBB): clearly red, green or grey (lit and untextured).
enum class Hue { Red, Green, Grey, Other };
Hue hueOf(uint32_t pixel);
Hue centreHue(const Capture& frame);
// Pixels that are not the view's blue clear colour: their number and their mean position.
int countNotBlue(const Capture& capture);
POINT centreOfNotBlue(const Capture& capture);

std::string pathInCurrentFolder(const std::string& name);

// Points as "x,y x,y ..." to six digits (the pane's when none are given); the mesh's texture
// coordinates in the same form, at u * width, v * height (64 x 32: every bitmap of the suite).
std::string pointsText(const std::vector<ImagePoint>& points);
std::string pointsText();
std::string meshPointsText(float width = 64, float height = 32);

// The suite's one editor, started on first use.
EditorHost& editor();
