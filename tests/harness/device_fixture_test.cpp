#include "tests/support/device_fixture_win.h"

#include <gtest/gtest.h>

TEST(DeviceFixture, MakesARealDeviceWhoseClearIsReadBackAndReleasesCleanly)
{
    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test, 64, 32));
    ASSERT_TRUE(SUCCEEDED(test.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0)));
    const Capture target = captureRenderTarget(test.device);
    ASSERT_EQ(target.width, 64);
    ASSERT_EQ(target.height, 32);
    EXPECT_EQ(target.count(0x0000FF, 0, 0, 64, 32), 64 * 32);
    EXPECT_EQ(releaseTestDevice(test), 0u);
}
