#pragma once
// The device choice's rules on plain data: which format combination a windowed or a fullscreen
// device takes, the order of an adapter's display modes, and the mode full screen takes. The
// Windows side (d3d_settings_win.cpp, d3d_enumeration_win.cpp) lists the catalog's records in
// these terms and fills the settings from the answers. Formats are Direct3D's format numbers.
#include <cstddef>
#include <cstdint>
#include <vector>

// One combo of the catalog as the choice sees it, in the catalog's order.
struct ComboFacts {
    bool hal = false;               // the device type: HAL, REF or neither (software)
    bool ref = false;
    bool windowed = false;
    uint32_t adapterFormat = 0;
    uint32_t backBufferFormat = 0;
    uint32_t desktopFormat = 0;     // the current desktop format of the combo's adapter
};

// The windowed combo on `desktopFormat` (the primary desktop's): the first HAL one whose
// back buffer has that format too; else the first HAL one; else the first one. Devices other
// than HAL (REF) are left out when `requireHAL` (`requireREF`) is set. -1 when none fits.
int PickWindowedCombo(const std::vector<ComboFacts>& combos, uint32_t desktopFormat,
                      bool requireHAL, bool requireREF);

// The fullscreen combo: the first HAL one on its adapter's desktop format whose back buffer has
// that format too; else the first HAL one on the desktop format; else the first HAL one; else
// the first one. The same requirements. -1 when none fits.
int PickFullscreenCombo(const std::vector<ComboFacts>& combos, bool requireHAL, bool requireREF);

// Display modes in the catalog's order: by width, height, format number, then refresh rate.
// `Mode` has D3DDISPLAYMODE's fields.
template <typename Mode>
bool ModeLess(const Mode& a, const Mode& b) {
    if (a.Width != b.Width)
        return a.Width < b.Width;
    if (a.Height != b.Height)
        return a.Height < b.Height;
    if (a.Format != b.Format)
        return int(a.Format) < int(b.Format);
    return a.RefreshRate < b.RefreshRate;
}

// The mode of `format` among `modes` (sorted by ModeLess) closest to the desktop: the desktop
// mode itself, else its size at the highest refresh rate, else the last mode of its width,
// else the first mode of the format. All zero when the format has no mode.
template <typename Mode, typename Format>
Mode ChooseFullscreenMode(const Mode* modes, size_t count, const Mode& desktop, Format format) {
    Mode chosen = {};
    for (size_t m = 0; m < count; ++m) {
        const Mode& mode = modes[m];
        if (mode.Format != format)
            continue;
        const bool sameSize = mode.Width == desktop.Width && mode.Height == desktop.Height;
        if (sameSize && mode.RefreshRate == desktop.RefreshRate)
            return mode;
        if ((sameSize && mode.RefreshRate > chosen.RefreshRate) || mode.Width == desktop.Width ||
            chosen.Width == 0)
            chosen = mode;
    }
    return chosen;
}
