// The framework's windows: the two window classes and their procedures, the main window with
// its menu, the device window in its left half and the texture pane with its toolbar in its
// right half.
#include "framework/d3d_application_win.h"
#include "resources/resource.h"

#include <commctrl.h>

#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"
#include "viewer/image_group_registry_win.h"

namespace {

// The texture pane's place and its size before the first layout.
const int kPaneX = 300;
const int kPaneSize = 300;

LRESULT CALLBACK DeviceWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN in WndProc top");
    return g_pApp->MsgProc(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN in WndProcMain top");
    return g_pApp->MsgProcMain(hWnd, msg, wParam, lParam);
}

void RegisterFrameworkClass(HINSTANCE hInstance, const char* name, UINT style, WNDPROC proc) {
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = hInstance;
    windowClass.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_MAIN_ICON));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);   // a second registration fails harmlessly
}

TBBUTTON PushButton(int image, int command, BYTE style) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    return button;
}

TBBUTTON Separator() {
    TBBUTTON button = {};
    button.fsStyle = TBSTYLE_SEP;
    return button;
}

void AddPaneToolbar(HWND paneWindow, HINSTANCE hInstance) {
    const TBBUTTON buttons[] = {
        PushButton(0, IDM_ZOOM_IN, TBSTYLE_BUTTON),
        PushButton(1, IDM_ZOOM_OUT, TBSTYLE_BUTTON),
        Separator(),
        PushButton(2, IDM_APPLY_POINTS, TBSTYLE_BUTTON),
        Separator(),
        PushButton(3, IDM_MOVE_POINTS, TBSTYLE_CHECKGROUP),
        PushButton(4, IDM_SCALE_POINTS, TBSTYLE_CHECKGROUP),
        PushButton(5, IDM_ROTATE_POINTS, TBSTYLE_CHECKGROUP),
    };
    const int buttonCount = int(sizeof(buttons) / sizeof(buttons[0]));
    // TBBUTTON is 20 bytes only in 32-bit builds; the control must be told this build's size
    // to read the array as it is laid out.
    HWND toolbar = CreateToolbarEx(
        paneWindow, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 8,
        hInstance, IDB_TOOLBAR, buttons, buttonCount, 0, 0, 0, 0, sizeof(TBBUTTON));
    if (toolbar)
        SendMessageA(toolbar, TB_CHECKBUTTON, IDM_MOVE_POINTS, MAKELPARAM(TRUE, 0));
}

}  // namespace

void CD3DApplication::BuildWindows(HINSTANCE hInstance) {
    RegisterFrameworkClass(hInstance, D3D_WINDOW_CLASS, 0, DeviceWindowProc);
    RegisterFrameworkClass(hInstance, D3D_WINDOW_PARENT_CLASS, CS_HREDRAW | CS_VREDRAW,
                           MainWindowProc);

    m_windowStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    m_deviceWindowStyle = WS_CHILD | WS_VISIBLE;

    m_hMainWnd = CreateWindowExA(0, D3D_WINDOW_PARENT_CLASS, "Mapwell", m_windowStyle,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 700, 700, nullptr,
                                 LoadMenuA(hInstance, MAKEINTRESOURCEA(IDR_MENU)), hInstance,
                                 nullptr);
    m_hDeviceWnd = CreateWindowExA(0, D3D_WINDOW_CLASS, m_windowTitle, m_deviceWindowStyle, 0, 0,
                                   kPaneSize, kPaneSize, m_hMainWnd, nullptr, hInstance, nullptr);

    m_texturePane = createImageGroup(m_hMainWnd, hInstance, kPaneX, 0, kPaneSize, kPaneSize);
    m_texturePane->setPane("TexWnd", kPaneX, 0, kPaneSize, kPaneSize);
    m_texturePane->setMaxPointsPerWindow(7000);
    m_texturePane->setMaxImages(1000);
    AddPaneToolbar(TexturePaneWindow(), hInstance);
    LayOutPanes();
}

HWND CD3DApplication::TexturePaneWindow() const {
    ImageWindow* pane = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    return pane ? pane->hwnd : nullptr;
}

void CD3DApplication::LayOutPanes() {
    RECT client;
    GetClientRect(m_hMainWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int half = width / 2;
    SetWindowPos(m_hDeviceWnd, nullptr, 0, 0, half, height, 0);
    ImageWindow* pane = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    if (!pane)
        return;
    SetWindowPos(pane->hwnd, nullptr, half, 0, half, height, 0);
    for (ImageScrollBar* bar : {&pane->horizontalBar, &pane->verticalBar}) {
        bar->move(pane->hwnd);
        bar->setWindowSize(half, height);
    }
}
