#pragma once
// CD3DApplication: the base of the program's application object. It owns the main window with
// its menu, the Direct3D device window in its left half, the texture pane in its right half,
// the Direct3D object and device, the message loop and the per-frame step, and it calls the
// application back through the overridable operations below at fixed moments:
//   device created:   CreateDeviceResources, then RestoreDeviceResources
//   around a reset:   InvalidateDeviceResources before, RestoreDeviceResources after
//   device released:  InvalidateDeviceResources (if restored), DeleteDeviceResources (if created)
// There is exactly one instance; its constructor stores it in g_pApp, through which the two
// window procedures forward. Everything runs on the one user-interface thread.
#include <windows.h>
#include <d3d9.h>

#include "base/com_ref.h"
#include "framework/d3d_enumeration_win.h"
#include "framework/d3d_settings_win.h"
#include "framework/device_lifecycle_win.h"
#include "framework/frame_presenter_win.h"
#include "framework/frame_stats.h"

class ImageGroup;

// Window classes of the device window and of the main window.
#define D3D_WINDOW_CLASS "D3D Window"
#define D3D_WINDOW_PARENT_CLASS "D3D Window Parent"

class CD3DApplication {
public:
    CD3DApplication();
    virtual ~CD3DApplication();
    CD3DApplication(const CD3DApplication&) = delete;
    CD3DApplication& operator=(const CD3DApplication&) = delete;

    // Overridable operations. Every base version that returns an HRESULT answers S_OK unless
    // told otherwise.

    // Windowed: the device window gets m_windowStyle and its menu back; fullscreen: a popup
    // style and the menu is taken into m_hMenu. Always S_OK.
    virtual HRESULT AdjustWindowStyleForMode();
    // Once per rendered frame: m_fps and m_frameStats, refreshed about once a second.
    virtual void UpdateFrameStats();
    // Asked by the catalog for each device combination; a failure rejects it.
    virtual HRESULT ConfirmDeviceCaps(const D3DCAPS9* caps, DWORD behaviorFlags,
                                      D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat);
    // Once in Create, after the windows and settings exist and before the device does.
    virtual HRESULT InitAppOnce();
    // After each device creation.
    virtual HRESULT CreateDeviceResources();
    // After each device creation and each reset.
    virtual HRESULT RestoreDeviceResources();
    // Each frame while animating, or once after a single step.
    virtual HRESULT AdvanceFrame();
    // Each frame; also on WM_PAINT while paused and windowed.
    virtual HRESULT RenderFrame();
    // Before each reset and before the device is released.
    virtual HRESULT InvalidateDeviceResources();
    // Before the device is released.
    virtual HRESULT DeleteDeviceResources();
    // Once, on WM_CLOSE, after the device and the Direct3D object are gone.
    virtual HRESULT CleanupAppOnce();

    // Direct3D object, catalog, windows, settings, timer, InitAppOnce, device; then active.
    // A failure has been reported (fatally) and is returned.
    virtual HRESULT Create(HINSTANCE hInstance);
    // The message loop; renders in idle time while active. Returns WM_QUIT's wParam.
    virtual int Run();
    // The device window's messages. Handles exit, the mode switch, the animation keys, sizing,
    // pausing, painting and closing; everything else goes to DefWindowProcA.
    virtual LRESULT MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The main window's messages: as MsgProc, but WM_PAINT draws no GDI line.
    virtual LRESULT MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Pause and unpause nest: the application is active only when every pause is matched.
    virtual void Pause(bool pause);

protected:
    // One frame: lost-device handling, timer, AdvanceFrame, RenderFrame, statistics, Present.
    HRESULT RenderStep();

    // The device's life cycle (device_lifecycle_win.h).
    HRESULT InitializeDevice();
    void FillPresentParameters();
    HRESULT ResetDevice();
    HRESULT HandleSizeChange();
    void ReleaseDevice();
    HRESULT SwitchWindowedFullscreen();
    HRESULT OnChangeDevice();

    // Device choice from m_deviceCatalog into m_settings (d3d_settings_win.h).
    HRESULT PickStartupSettings();
    bool PickWindowedSettings(bool requireHAL, bool requireREF);
    bool PickFullscreenSettings(bool requireHAL, bool requireREF);

    // Shows the text of hr in a box captioned m_windowTitle; kind ERRMSG_EXIT also closes the
    // program. Returns hr.
    HRESULT ReportError(HRESULT hr, DWORD kind);

    // Splits the main window's client area: the device window on the left half, the texture
    // pane's active window on the right half (halves rounded down), and fits that window's
    // scroll bars to it. The images loaded beside it are the group's (resizeImageGroup).
    void LayOutPanes();

    // Handed to the catalog: maps the vertex processing kind to behaviour flags and asks
    // g_pApp->ConfirmDeviceCaps.
    static bool ConfirmComboCallback(const D3DCAPS9* caps, VertexProcessingType kind,
                                     D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat);

    CD3DDeviceCatalog m_deviceCatalog;
    CD3DDeviceSettings m_settings;
    bool m_windowed = true;
    bool m_active = false;
    // Pauses nest (construction until Create ends, minimised, a menu, a size drag, a device
    // change): the application is active only while none is open.
    unsigned m_pauseCount = 0;
    bool m_deviceLost = false;
    bool m_minimized = false;
    bool m_maximized = false;
    bool m_ignoreSizeChange = false;
    bool m_deviceResourcesCreated = false;
    bool m_deviceResourcesRestored = false;
    bool m_animating = true;
    bool m_singleStep = false;
    D3DPRESENT_PARAMETERS m_presentParams = {};
    HWND m_hDeviceWnd = nullptr;
    HWND m_hFocusWnd = nullptr;
    HWND m_hMainWnd = nullptr;
    ImageGroup* m_texturePane = nullptr;
    HMENU m_hMenu = nullptr;
    ComRef<IDirect3D9> m_pDirect3D;
    ComRef<IDirect3DDevice9> m_pDevice;
    D3DCAPS9 m_caps = {};
    D3DSURFACE_DESC m_backBufferDesc = {};
    DWORD m_windowStyle = 0;
    DWORD m_deviceWindowStyle = 0;
    RECT m_windowBounds = {};
    RECT m_clientRect = {};
    float m_time = 0.0f;
    float m_elapsedTime = 0.0f;
    float m_fps = 0.0f;
    FrameRateMeter m_frameRateMeter;
    char m_deviceStats[90] = "";
    char m_frameStats[90] = "";
    const char* m_windowTitle = "D3D9 Application";
    bool m_showCursorWhenFullscreen = false;
    bool m_clipCursorWhenFullscreen = false;
    bool m_startFullscreen = false;

private:
    LRESULT HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool deviceWindow);
    LRESULT HandleCommand(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void HandleSizeMessage(WPARAM sizeKind);
    void PaintPausedFrame();
    HRESULT PresentFrame();
    void BuildWindows(HINSTANCE hInstance);
    // The window of the texture pane's active image window, or null.
    HWND TexturePaneWindow() const;
    HRESULT FailCreate(HRESULT hr);
    HRESULT CreateDeviceWithResources(DWORD behaviorFlags);
    HRESULT CreateDeviceFromSettings(DWORD behaviorFlags);
    HRESULT CreateAndRestoreResources();
    HRESULT FallBackToReferenceDevice(HRESULT hr, D3DDEVTYPE failedType);
    void ReadBackBufferDesc();
    void ApplyFullscreenCursor();
    HRESULT ReportFailedSwitch(HRESULT hr);
    void RestoreWindowBounds();

    // Where the device's frames reach the screen (directly, or read back under Wine).
    FramePresenter m_presenter;
};

// The one application object, set by its constructor.
extern CD3DApplication* g_pApp;
