#include "tests/app/editor_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "graphics/d3dx_math_win.h"
#include "tests/app/test_media.h"
#include "tests/support/device_fixture_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "viewer/image_group_win.h"

bool EditorHost::start()
{
    ResetProcessGlobals(GetModuleHandleA(nullptr));
    if (FAILED(Create(GetModuleHandleA(nullptr))))
        return false;
    pumpMessages(50);
    return m_pDevice != nullptr;
}

HRESULT EditorHost::InitAppOnce()
{
    // Every case works on the pane, and loading the start-up mesh already does: without a
    // pane from the framework the suite cannot run at all.
    if (!m_texturePane) {
        fprintf(stderr, "The framework made no texture pane (m_texturePane is null).\n");
        exit(1);
    }
    return Recording<CMyD3DApplication>::InitAppOnce();
}

HWND EditorHost::paneWindow() const
{
    return m_texturePane->windowHandle();
}

void EditorHost::menuCommand(UINT command)
{
    SendMessageA(m_hMainWnd, WM_COMMAND, command, 0);
}

void EditorHost::viewCommand(UINT command)
{
    SendMessageA(m_hDeviceWnd, WM_COMMAND, command, 0);
}

std::vector<std::string> EditorHost::answerFileDialog(UINT command, const std::string& name)
{
    DialogAnswerer answerer;
    answerer.typeFileName(pathInCurrentFolder(name));
    menuCommand(command);
    return answerer.boxTexts();
}

void EditorHost::pressApply()
{
    SendMessageA(paneWindow(), WM_COMMAND, 40054, 0);
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

// The marker frame drawn the plain way, one DrawMarker call per selected vertex with its own
// world matrix: the reference for however RenderFrame draws its markers.
Capture EditorHost::frameWithMarkersOneByOne()
{
    AdvanceFrame();
    m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x000000FF, 1.0f, 0);
    if (SUCCEEDED(m_pDevice->BeginScene())) {
        m_pDevice->SetTransform(D3DTS_WORLD, asD3DMatrix(&m_worldMatrix));
        DrawMeshData(m_meshData);
        const std::vector<ImagePoint> marked = points();
        VertexLock vertices(m_meshData.sysMemMesh);
        const UINT stride = D3DXGetFVFVertexSize(m_meshData.sysMemMesh->GetFVF());
        for (DWORD k = 0; k < m_meshData.sysMemMesh->GetNumVertices() && k < marked.size(); ++k) {
            if (!marked[k].selected)
                continue;
            const float* at = reinterpret_cast<const float*>(vertices.bytes() + size_t(k) * stride);
            D3DXMATRIX scale, place, world;
            D3DXMatrixScaling(&scale, g_markerScale, g_markerScale, g_markerScale);
            D3DXMatrixTranslation(&place, at[0], at[1], at[2]);
            D3DXMatrixMultiply(&world, &scale, &place);
            D3DXMatrixMultiply(&world, &world, &m_worldMatrix);
            m_pDevice->SetTransform(D3DTS_WORLD, asD3DMatrix(&world));
            DrawMarker(m_meshData, k);
        }
        m_pDevice->EndScene();
    }
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

std::vector<EditorHost::UV> EditorHost::meshCoordinates()
{
    std::vector<UV> result;
    VertexLock vertices(m_meshData.sysMemMesh);
    for (DWORD k = 0; vertices.ok() && k < m_meshData.sysMemMesh->GetNumVertices(); ++k)
        result.push_back({vertices.edited()[k].u, vertices.edited()[k].v});
    return result;
}

void EditorHost::paneMouse(UINT message, float x, float y, WPARAM keys)
{
    const ImageWindow* window = m_texturePane->activeWindow();
    const LONG cx = LONG(x * window->zoom) - window->scrollX, cy = LONG(y * window->zoom) - window->scrollY;
    SendMessageA(paneWindow(), message, keys, MAKELPARAM(cx, cy));
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

namespace {

const uint32_t kClearBlue = 0x0000FF;
int red(uint32_t p) { return int(p >> 16 & 0xFF); }
int green(uint32_t p) { return int(p >> 8 & 0xFF); }
int blue(uint32_t p) { return int(p & 0xFF); }

} // namespace

bool isReddish(uint32_t p)
{
    return red(p) > 40 && red(p) > 3 * green(p) && red(p) > 3 * blue(p);
}

bool isGreenish(uint32_t p)
{
    return green(p) > 40 && green(p) > 3 * red(p) && green(p) > 3 * blue(p);
}

bool isGrey(uint32_t p)
{
    return red(p) > 40 && abs(red(p) - green(p)) < 12 && abs(red(p) - blue(p)) < 12;
}

uint32_t centrePixel(const Capture& frame)
{
    return frame.at(frame.width / 2, frame.height / 2);
}

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

int differingPixels(const Capture& a, const Capture& b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return n;
}

EditorHost& editor()
{
    static EditorHost host;
    static const bool started = host.start();
    if (!started)
        ADD_FAILURE() << "the editor could not start (no Direct3D device)";
    return host;
}
