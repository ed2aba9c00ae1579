// The statistics texts: the once-a-second frame-rate meter, m_frameStats and m_deviceStats,
// and their cutting to the 90-character fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/frame_stats.h"

namespace {

TEST(FrameRateMeter, MeasuresOnlyWhenMoreThanASecondHasPassed) {
    FrameRateMeter meter;
    float fps = -1.0f;
    meter.lastTime = 5.0f;
    EXPECT_FALSE(CountFrame(meter, 5.5f, fps));
    EXPECT_FALSE(CountFrame(meter, 6.0f, fps));   // exactly one second is not enough
    EXPECT_EQ(fps, -1.0f);
    EXPECT_TRUE(CountFrame(meter, 6.25f, fps));
    EXPECT_FLOAT_EQ(fps, 3.0f / 1.25f);
    EXPECT_EQ(meter.frameCount, 0u);
    EXPECT_FLOAT_EQ(meter.lastTime, 6.25f);
    for (int i = 0; i < 59; ++i)
        EXPECT_FALSE(CountFrame(meter, 6.25f + i / 60.0f, fps));
    EXPECT_TRUE(CountFrame(meter, 7.5f, fps));
    EXPECT_FLOAT_EQ(fps, 60.0f / 1.25f);
}

TEST(FrameRateMeter, FirstRateCountsFromTheTimersEpochAndIsNearZero) {
    FrameRateMeter meter;
    float fps = -1.0f;
    EXPECT_TRUE(CountFrame(meter, 2000.0f, fps));
    EXPECT_FLOAT_EQ(fps, 1.0f / 2000.0f);
}

TEST(FrameStatsText, ReadsRateSizeFormatAndDepth) {
    FrameStatsInput input;
    input.fps = 60.0f;
    input.width = 800;
    input.height = 600;
    input.backBufferFormat = "X8R8G8B8";
    input.depthName = "D16";
    char text[kStatsTextSize];
    FormatFrameStats(input, text);
    EXPECT_STREQ(text, "60.00 fps (800x600), X8R8G8B8 (D16)");

    input.depthName = nullptr;
    input.fps = 59.996f;
    FormatFrameStats(input, text);
    EXPECT_STREQ(text, "60.00 fps (800x600), X8R8G8B8");
}

TEST(FrameStatsText, DifferentFormatsNameBoth) {
    FrameStatsInput input;
    input.fps = 12.5f;
    input.width = 350;
    input.height = 672;
    input.backBufferFormat = "A8R8G8B8";
    input.adapterFormat = "X8R8G8B8";
    input.depthName = "D24S8";
    char text[kStatsTextSize];
    FormatFrameStats(input, text);
    EXPECT_STREQ(text, "12.50 fps (350x672), backbuf A8R8G8B8, adapter X8R8G8B8 (D24S8)");
}

TEST(FrameStatsText, MultisampleKinds) {
    const struct {
        uint32_t type;
        const char* suffix;
    } cases[] = {
        {0, ""},
        {1, " (Nonmaskable Multisample)"},
        {2, " (2x Multisample)"},
        {16, " (16x Multisample)"},
        {17, ""},
    };
    for (const auto& c : cases) {
        FrameStatsInput input;
        input.backBufferFormat = "R5G6B5";
        input.multisampleType = c.type;
        char text[kStatsTextSize];
        FormatFrameStats(input, text);
        EXPECT_EQ(std::string(text), std::string("0.00 fps (0x0), R5G6B5") + c.suffix);
    }
}

TEST(FrameStatsText, LongTextsAreCutToEightyNineCharacters) {
    const std::string longName(150, 'Q');
    FrameStatsInput input;
    input.fps = 1e30f;
    input.width = 4000000000u;
    input.height = 4000000000u;
    input.backBufferFormat = longName.c_str();
    input.adapterFormat = longName.c_str();
    input.depthName = longName.c_str();
    input.multisampleType = 1;
    char text[kStatsTextSize + 8];
    memset(text, 'Z', sizeof(text));
    FormatFrameStats(input, *reinterpret_cast<char(*)[kStatsTextSize]>(text));
    EXPECT_EQ(strlen(text), kStatsTextSize - 1);
    EXPECT_EQ(text[kStatsTextSize], 'Z');   // nothing written past the field
}

TEST(DeviceStatsText, NamesTypeProcessingAndTheHalAdapter) {
    char text[kStatsTextSize];
    FormatDeviceStats("HAL", StatsVertexProcessing::PureHardware, "X", text);
    EXPECT_STREQ(text, "HAL (pure hw vp): X");
    FormatDeviceStats("HAL", StatsVertexProcessing::Hardware, "Wine D3D", text);
    EXPECT_STREQ(text, "HAL (hw vp): Wine D3D");
    FormatDeviceStats("HAL", StatsVertexProcessing::Mixed, "A", text);
    EXPECT_STREQ(text, "HAL (mixed vp): A");
    FormatDeviceStats("HAL", StatsVertexProcessing::Software, "A", text);
    EXPECT_STREQ(text, "HAL (sw vp): A");
    FormatDeviceStats("REF", StatsVertexProcessing::PureHardware, "A", text);
    EXPECT_STREQ(text, "REF (simulated pure hw vp)");
    FormatDeviceStats("REF", StatsVertexProcessing::Hardware, "A", text);
    EXPECT_STREQ(text, "REF (simulated hw vp)");
    FormatDeviceStats("SW", StatsVertexProcessing::Mixed, "A", text);
    EXPECT_STREQ(text, "SW (simulated mixed vp)");
    FormatDeviceStats("REF", StatsVertexProcessing::Software, "A", text);
    EXPECT_STREQ(text, "REF (sw vp)");
    FormatDeviceStats("SW", StatsVertexProcessing::Unnamed, "A", text);
    EXPECT_STREQ(text, "SW");
}

TEST(DeviceStatsText, LongAdapterDescriptionIsCut) {
    const std::string description(511, 'd');
    char text[kStatsTextSize];
    FormatDeviceStats("HAL", StatsVertexProcessing::Hardware, description.c_str(), text);
    EXPECT_EQ(strlen(text), kStatsTextSize - 1);
    EXPECT_EQ(std::string(text, 14), "HAL (hw vp): d");
}

}  // namespace
