#pragma once
// The statistics texts of CD3DApplication, built without Direct3D so their cutting can be
// tested anywhere: the frame-rate meter and the texts of m_frameStats and m_deviceStats.
#include <cstddef>
#include <cstdint>

constexpr size_t kStatsTextSize = 90;     // 89 characters and the terminator

// Frames counted since the last measurement.
struct FrameRateMeter {
    float lastTime = 0.0f;                // seconds, absolute
    uint32_t frameCount = 0;
};

// Counts one frame at absolute time `now`. When more than a second has passed since the last
// measurement, stores the rate in `fps`, starts a new interval and returns true.
bool CountFrame(FrameRateMeter& meter, float now, float& fps);

// What m_frameStats shows. Format names are without the "D3DFMT_" prefix; `adapterFormat` is
// null when the adapter has the back buffer's format, `depthName` when no depth buffer is
// used; `multisampleType` is a D3DMULTISAMPLE_TYPE value.
struct FrameStatsInput {
    float fps = 0.0f;
    uint32_t width = 0, height = 0;
    const char* backBufferFormat = "";
    const char* adapterFormat = nullptr;
    const char* depthName = nullptr;
    uint32_t multisampleType = 0;
};

// "60.00 fps (800x600), X8R8G8B8 (D16)", cut to 89 characters.
void FormatFrameStats(const FrameStatsInput& input, char (&text)[kStatsTextSize]);

// How the device does its vertex processing, as the device statistics name it.
enum class StatsVertexProcessing { PureHardware, Hardware, Mixed, Software, Unnamed };

// "HAL (pure hw vp): <description>", "REF (simulated hw vp)", ...; `deviceName` is "HAL",
// "REF" or "SW", and the description is appended on HAL devices only; cut to 89 characters.
void FormatDeviceStats(const char* deviceName, StatsVertexProcessing processing,
                       const char* adapterDescription, char (&text)[kStatsTextSize]);
