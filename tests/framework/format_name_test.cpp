// Format names with and without their prefix, and the device statistics built from what a
// device was created with.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/device_stats_win.h"
#include "framework/format_name_win.h"

namespace {

TEST(FormatName, GivesTheConstantsNameOrWhatFollowsThePrefix) {
    const struct {
        D3DFORMAT format;
        const char* name;
    } cases[] = {
        {D3DFMT_UNKNOWN, "D3DFMT_UNKNOWN"},
        {D3DFMT_R8G8B8, "D3DFMT_R8G8B8"},
        {D3DFMT_X8R8G8B8, "D3DFMT_X8R8G8B8"},
        {D3DFMT_A16B16G16R16, "D3DFMT_A16B16G16R16"},
        {D3DFMT_A8P8, "D3DFMT_A8P8"},
        {D3DFMT_P8, "D3DFMT_P8"},
        {D3DFMT_A4L4, "D3DFMT_A4L4"},
        {D3DFMT_A2W10V10U10, "D3DFMT_A2W10V10U10"},
        {D3DFMT_UYVY, "D3DFMT_UYVY"},
        {D3DFMT_YUY2, "D3DFMT_YUY2"},
        {D3DFMT_DXT1, "D3DFMT_DXT1"},
        {D3DFMT_DXT5, "D3DFMT_DXT5"},
        {D3DFMT_D16_LOCKABLE, "D3DFMT_D16_LOCKABLE"},
        {D3DFMT_D24S8, "D3DFMT_D24S8"},
        {D3DFMT_D16, "D3DFMT_D16"},
        {D3DFMT_L16, "D3DFMT_L16"},
        {D3DFMT_VERTEXDATA, "D3DFMT_VERTEXDATA"},
        {D3DFMT_INDEX16, "D3DFMT_INDEX16"},
        {D3DFMT_INDEX32, "D3DFMT_INDEX32"},
        {D3DFMT_Q16W16V16U16, "D3DFMT_Q16W16V16U16"},
        {D3DFMT_MULTI2_ARGB8, "D3DFMT_MULTI2_ARGB8"},
        {D3DFMT_R16F, "D3DFMT_R16F"},
        {D3DFMT_A32B32G32R32F, "D3DFMT_A32B32G32R32F"},
        {D3DFMT_CxV8U8, "D3DFMT_CxV8U8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(FormatName(c.format, true), c.name);
        EXPECT_STREQ(FormatName(c.format, false), c.name + strlen("D3DFMT_"));
    }
}

TEST(FormatName, UnlistedValuesAreUnknownEitherWay) {
    for (D3DFORMAT format : {D3DFMT_D32F_LOCKABLE, D3DFMT_G8R8_G8B8, D3DFORMAT(12345),
                             D3DFMT_FORCE_DWORD}) {
        EXPECT_STREQ(FormatName(format, true), "Unknown format");
        EXPECT_STREQ(FormatName(format, false), "Unknown format");
    }
}

D3DADAPTER_IDENTIFIER9 Adapter(const char* description) {
    D3DADAPTER_IDENTIFIER9 adapter = {};
    strncpy(adapter.Description, description, sizeof(adapter.Description) - 1);
    return adapter;
}

TEST(DeviceStats, DescribesTypeProcessingAndTheHalAdapter) {
    char text[kStatsTextSize];
    DescribeDevice(D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE,
                   Adapter("Wine D3D9"), text);
    EXPECT_STREQ(text, "HAL (pure hw vp): Wine D3D9");
    DescribeDevice(D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING, Adapter("X"), text);
    EXPECT_STREQ(text, "HAL (hw vp): X");
    DescribeDevice(D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING, Adapter("X"), text);
    EXPECT_STREQ(text, "HAL (sw vp): X");
    DescribeDevice(D3DDEVTYPE_REF, D3DCREATE_MIXED_VERTEXPROCESSING, Adapter("X"), text);
    EXPECT_STREQ(text, "REF (simulated mixed vp)");
    DescribeDevice(D3DDEVTYPE_SW, D3DCREATE_HARDWARE_VERTEXPROCESSING, Adapter("X"), text);
    EXPECT_STREQ(text, "SW (simulated hw vp)");
}

TEST(DeviceStats, UnterminatedDescriptionIsCutWithinTheField) {
    D3DADAPTER_IDENTIFIER9 adapter = {};
    memset(adapter.Description, 'q', sizeof(adapter.Description));
    memset(adapter.DeviceName, 'r', sizeof(adapter.DeviceName));
    char text[kStatsTextSize];
    DescribeDevice(D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING, adapter, text);
    EXPECT_EQ(strlen(text), kStatsTextSize - 1);
    EXPECT_EQ(std::string(text), "HAL (hw vp): " + std::string(kStatsTextSize - 1 - 13, 'q'));
}

}  // namespace
