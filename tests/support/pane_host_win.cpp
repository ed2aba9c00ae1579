#include "tests/support/pane_host_win.h"

#include "viewer/image_group_registry_win.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/test_files.h"

namespace {

LRESULT CALLBACK hostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDOWN)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (auto* host = reinterpret_cast<PaneHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
        host->notifications.push_back(wParam);
    return 0;
}

}  // namespace

void writeTestBitmap(const std::string& path, int width, int height, uint32_t fill, uint32_t corner)
{
    writeFile(path, buildBmp24(width, height, [&](int x, int y) {
        return x < 4 && y < 4 ? corner : fill;
    }));
}

// One top-level window serves every PaneHost of the process: hiding or destroying a
// top-level window costs Wine two seconds on a display without a window manager.
static HWND sharedHostWindow(int clientWidth, int clientHeight)
{
    static HWND window = nullptr;
    if (!window) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = hostProc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "PaneTestHost";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "PaneTestHost", "Pane host", WS_POPUP, 0, 0, clientWidth,
                                 clientHeight, nullptr, nullptr, instance, nullptr);
        ShowWindow(window, SW_SHOW);
    }
    SetWindowPos(window, nullptr, 0, 0, clientWidth, clientHeight, SWP_NOMOVE | SWP_NOZORDER);
    return window;
}

PaneHost::PaneHost(int clientWidth, int clientHeight)
{
    host = sharedHostWindow(clientWidth, clientHeight);
    SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    group = createImageGroup(host, GetModuleHandleA(nullptr), 0, 0, clientWidth, clientHeight);
    SetWindowPos(pane(), nullptr, 0, 0, clientWidth, clientHeight, 0);
}

// The group's windows go with their host's children; the group itself stays registered
// with none of its windows left.
PaneHost::~PaneHost()
{
    SetWindowLongPtrA(host, GWLP_USERDATA, 0);
    while (HWND child = GetWindow(host, GW_CHILD))
        DestroyWindow(child);
}

void PaneHost::showBitmap(const std::string& path)
{
    ImageWindow& w = window();
    w.bitmap.openImageFile(w.hwnd, path.c_str());
    w.horizontalBar.create(ImageScrollBar::OrientationHorizontal, w.hwnd, w.instance);
    w.verticalBar.create(ImageScrollBar::OrientationVertical, w.hwnd, w.instance);
    w.horizontalBar.position = 0;
    w.verticalBar.position = -30;
    w.scrollX = 0;
    w.scrollY = -30;
    SendMessageA(w.hwnd, WM_SIZE, 0, 0);
}
