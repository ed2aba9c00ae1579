#include "framework/device_stats_win.h"

#include <cstring>

namespace {

const char* DeviceTypeName(D3DDEVTYPE type) {
    switch (type) {
    case D3DDEVTYPE_HAL: return "HAL";
    case D3DDEVTYPE_REF: return "REF";
    case D3DDEVTYPE_SW: return "SW";
    default: return "";
    }
}

StatsVertexProcessing ProcessingOf(DWORD behaviorFlags) {
    if ((behaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING) &&
        (behaviorFlags & D3DCREATE_PUREDEVICE))
        return StatsVertexProcessing::PureHardware;
    if (behaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING)
        return StatsVertexProcessing::Hardware;
    if (behaviorFlags & D3DCREATE_MIXED_VERTEXPROCESSING)
        return StatsVertexProcessing::Mixed;
    if (behaviorFlags & D3DCREATE_SOFTWARE_VERTEXPROCESSING)
        return StatsVertexProcessing::Software;
    return StatsVertexProcessing::Unnamed;
}

}  // namespace

void DescribeDevice(D3DDEVTYPE deviceType, DWORD behaviorFlags,
                    const D3DADAPTER_IDENTIFIER9& adapter, char (&text)[kStatsTextSize]) {
    // A driver need not terminate its description.
    char description[MAX_DEVICE_IDENTIFIER_STRING];
    memcpy(description, adapter.Description, sizeof(description));
    description[sizeof(description) - 1] = '\0';
    FormatDeviceStats(DeviceTypeName(deviceType), ProcessingOf(behaviorFlags), description, text);
}
