#include "framework/device_choice.h"

namespace {

bool Wanted(const ComboFacts& combo, bool requireHAL, bool requireREF) {
    return !(requireHAL && !combo.hal) && !(requireREF && !combo.ref);
}

}  // namespace

int PickWindowedCombo(const std::vector<ComboFacts>& combos, uint32_t desktopFormat,
                      bool requireHAL, bool requireREF) {
    int best = -1;
    for (size_t c = 0; c < combos.size(); ++c) {
        const ComboFacts& combo = combos[c];
        if (!Wanted(combo, requireHAL, requireREF) || !combo.windowed ||
            combo.adapterFormat != desktopFormat)
            continue;
        const bool sameFormats = combo.backBufferFormat == combo.adapterFormat;
        const bool replaces = best < 0 || (!combos[best].hal && combo.hal) || (combo.hal && sameFormats);
        if (!replaces)
            continue;
        best = int(c);
        if (combo.hal && sameFormats)
            break;   // as good as it gets
    }
    return best;
}

int PickFullscreenCombo(const std::vector<ComboFacts>& combos, bool requireHAL, bool requireREF) {
    int best = -1;
    for (size_t c = 0; c < combos.size(); ++c) {
        const ComboFacts& combo = combos[c];
        if (!Wanted(combo, requireHAL, requireREF) || combo.windowed)
            continue;
        const bool matchesDesktop = combo.adapterFormat == combo.desktopFormat;
        const bool matchesBackBuffer = combo.backBufferFormat == combo.adapterFormat;
        const bool replaces =
            best < 0 || (!combos[best].hal && combo.hal) ||
            (combo.hal && combos[best].adapterFormat != combo.desktopFormat && matchesDesktop) ||
            (combo.hal && matchesDesktop && matchesBackBuffer);
        if (!replaces)
            continue;
        best = int(c);
        if (combo.hal && matchesDesktop && matchesBackBuffer)
            break;
    }
    return best;
}
