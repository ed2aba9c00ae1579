#include "tests/app/editor_host_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "tests/app/test_media.h"
#include "tests/support/device_fixture_win.h"
#include "tests/support/dialog_answerer_win.h"

bool EditorHost::start()
{
    ResetProcessGlobals(GetModuleHandleA(nullptr));
    if (FAILED(Create(GetModuleHandleA(nullptr))))
        return false;
    pumpMessages(50);
    return m_pDevice != nullptr;
}

std::string pathInCurrentFolder(const std::string& name)
{
    char path[MAX_PATH] = "";
    GetFullPathNameA(name.c_str(), MAX_PATH, path, nullptr);
    return path;
}

Boxes EditorHost::menuBoxes(UINT command)
{
    DialogAnswerer answerer;
    menuCommand(command);
    return answerer.boxTexts();
}

Boxes EditorHost::answerFileDialog(UINT command, const std::string& name)
{
    DialogAnswerer answerer;
    answerer.typeFileName(pathInCurrentFolder(name));
    menuCommand(command);
    return answerer.boxTexts();
}

std::vector<std::string> EditorHost::answerDialog(UINT command, const std::vector<int>& clicks, int button,
                                                  const std::function<void(HWND)>& look)
{
    DialogAnswerer answerer;
    answerer.runOnNext([&](HWND dialog) {
        for (int id : clicks)
            SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
        if (look)
            look(dialog);
        SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
    });
    menuCommand(command);
    std::vector<std::string> seen;
    for (const DialogAnswerer::Box& box : answerer.seen())
        seen.push_back(box.caption + ":" + box.text);
    return seen;
}

void EditorHost::resetView()
{
    m_arcBall = CArcBall();
    m_arcBall.SetWindowSize(int(m_backBufferDesc.Width), int(m_backBufferDesc.Height), 0.85f);
    m_arcBall.SetTranslationRadius(m_objectRadius);
}

Capture EditorHost::frame()
{
    AdvanceFrame();
    RenderFrame();
    return captureRenderTarget(m_pDevice);
}

std::vector<ImagePoint> EditorHost::points() const
{
    std::vector<ImagePoint> result;
    const int32_t count = m_texturePane->pointCount();
    m_texturePane->resetPointIterator();
    for (int32_t i = 0; i < count; ++i)
        result.push_back(m_texturePane->nextPoint());
    return result;
}

void EditorHost::paneMouse(UINT message, float x, float y, WPARAM keys)
{
    const ImageWindow* window = m_texturePane->activeWindow();
    const LONG cx = LONG(x * window->zoom) - window->scrollX, cy = LONG(y * window->zoom) - window->scrollY;
    SendMessageA(paneWindow(), message, keys, MAKELPARAM(cx, cy));
}

void EditorHost::click(float x, float y)
{
    paneMouse(WM_MOUSEMOVE, x, y);
    paneMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    paneMouse(WM_LBUTTONUP, x, y);
}

void EditorHost::dragPoint(float x, float y, int dx, int dy)
{
    SendMessageA(paneWindow(), WM_KEYDOWN, VK_SHIFT, 0);
    paneMouse(WM_MOUSEMOVE, x, y);
    paneMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON | MK_SHIFT);
    const float zoom = m_texturePane->activeWindow()->zoom;
    paneMouse(WM_MOUSEMOVE, x + dx / zoom, y + dy / zoom, MK_LBUTTON | MK_SHIFT);
    paneMouse(WM_LBUTTONUP, x + dx / zoom, y + dy / zoom, MK_SHIFT);
    SendMessageA(paneWindow(), WM_KEYUP, VK_SHIFT, 0);
}

void EditorHost::viewDrag(UINT downMessage, UINT upMessage, WPARAM buttonKey, POINT from, POINT to)
{
    SendMessageA(m_hDeviceWnd, downMessage, buttonKey, MAKELPARAM(from.x, from.y));
    for (int i = 1; i <= 8; ++i) {
        const LONG x = from.x + (to.x - from.x) * i / 8, y = from.y + (to.y - from.y) * i / 8;
        SendMessageA(m_hDeviceWnd, WM_MOUSEMOVE, buttonKey, MAKELPARAM(x, y));
    }
    SendMessageA(m_hDeviceWnd, upMessage, 0, MAKELPARAM(to.x, to.y));
}

Hue hueOf(uint32_t p)
{
    const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
    if (r > 40 && r > 3 * g && r > 3 * b)
        return Hue::Red;
    if (g > 40 && g > 3 * r && g > 3 * b)
        return Hue::Green;
    return r > 40 && abs(r - g) < 12 && abs(r - b) < 12 ? Hue::Grey : Hue::Other;
}

Hue centreHue(const Capture& frame)
{
    return hueOf(frame.at(frame.width / 2, frame.height / 2));
}

const uint32_t kClearBlue = 0x0000FF;

int countNotBlue(const Capture& capture)
{
    return int(capture.pixels.size()) - capture.count(kClearBlue, 0, 0, capture.width, capture.height);
}

POINT centreOfNotBlue(const Capture& capture)
{
    long long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < capture.height; ++y)
        for (int x = 0; x < capture.width; ++x)
            if (capture.at(x, y) != kClearBlue) {
                sx += x;
                sy += y;
                ++n;
            }
    return n ? POINT{LONG(sx / n), LONG(sy / n)} : POINT{-1, -1};
}

std::string pointsText(const std::vector<ImagePoint>& points)
{
    std::string text;
    char point[40];
    for (const ImagePoint& p : points) {
        snprintf(point, sizeof(point), "%s%g,%g", text.empty() ? "" : " ", p.x, p.y);
        text += point;
    }
    return text;
}

std::string pointsText()
{
    return pointsText(editor().points());
}

std::string meshPointsText(float width, float height)
{
    std::vector<ImagePoint> points;
    ID3DXMesh* mesh = editor().meshData().sysMemMesh;
    VertexLock vertices(mesh);
    for (DWORD k = 0; vertices.ok() && k < mesh->GetNumVertices(); ++k)
        points.push_back({vertices.edited()[k].u * width, vertices.edited()[k].v * height});
    return pointsText(points);
}

EditorHost& editor()
{
    static EditorHost host;
    static const bool started = host.start();
    if (!started)
        ADD_FAILURE() << "the editor could not start (no Direct3D device)";
    return host;
}
