#include "framework/frame_stats.h"

#include <cstdio>
#include <cstring>

namespace {

// Intermediate texts are kept within 99 characters, as the final one within 89.
constexpr size_t kPartSize = 100;

// Appends as much of `part` as fits before the terminator.
void AppendCut(char (&text)[kStatsTextSize], const char* part) {
    size_t used = strlen(text);
    size_t room = sizeof(text) - 1 - used;
    size_t length = strnlen(part, room);
    memcpy(text + used, part, length);
    text[used + length] = '\0';
}

const char* VertexProcessingText(StatsVertexProcessing processing, bool hal) {
    switch (processing) {
    case StatsVertexProcessing::PureHardware: return hal ? " (pure hw vp)" : " (simulated pure hw vp)";
    case StatsVertexProcessing::Hardware: return hal ? " (hw vp)" : " (simulated hw vp)";
    case StatsVertexProcessing::Mixed: return hal ? " (mixed vp)" : " (simulated mixed vp)";
    case StatsVertexProcessing::Software: return " (sw vp)";
    case StatsVertexProcessing::Unnamed: return "";
    }
    return "";
}

}  // namespace

bool CountFrame(FrameRateMeter& meter, float now, float& fps) {
    ++meter.frameCount;
    if (now - meter.lastTime <= 1.0f)
        return false;
    fps = float(meter.frameCount) / (now - meter.lastTime);
    meter.lastTime = now;
    meter.frameCount = 0;
    return true;
}

void FormatFrameStats(const FrameStatsInput& input, char (&text)[kStatsTextSize]) {
    char formats[kPartSize];
    if (input.adapterFormat == nullptr)
        snprintf(formats, sizeof(formats), "%s", input.backBufferFormat);
    else
        snprintf(formats, sizeof(formats), "backbuf %s, adapter %s", input.backBufferFormat,
                 input.adapterFormat);

    char depth[kPartSize] = "";
    if (input.depthName != nullptr)
        snprintf(depth, sizeof(depth), " (%s)", input.depthName);

    char multisample[kPartSize] = "";
    if (input.multisampleType == 1)
        snprintf(multisample, sizeof(multisample), " (Nonmaskable Multisample)");
    else if (input.multisampleType >= 2 && input.multisampleType <= 16)
        snprintf(multisample, sizeof(multisample), " (%ux Multisample)",
                 unsigned(input.multisampleType));

    snprintf(text, sizeof(text), "%.02f fps (%ux%u), ", double(input.fps),
             unsigned(input.width), unsigned(input.height));
    AppendCut(text, formats);
    AppendCut(text, depth);
    AppendCut(text, multisample);
}

void FormatDeviceStats(const char* deviceName, StatsVertexProcessing processing,
                       const char* adapterDescription, char (&text)[kStatsTextSize]) {
    bool hal = strcmp(deviceName, "HAL") == 0;
    text[0] = '\0';
    AppendCut(text, deviceName);
    AppendCut(text, VertexProcessingText(processing, hal));
    if (hal) {
        AppendCut(text, ": ");
        AppendCut(text, adapterDescription);
    }
}
