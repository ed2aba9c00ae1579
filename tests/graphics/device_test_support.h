#pragma once
// A gtest fixture with a real device.
#include <gtest/gtest.h>

#include "graphics/d3dx_win.h"
#include "tests/support/device_fixture_win.h"

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeTestDevice(test_, 64, 64)); }
    // Every object the test made must be released by now: the device goes with no reference
    // left.
    void TearDown() override { EXPECT_EQ(0u, releaseTestDevice(test_)); }
    IDirect3DDevice9* device() const { return test_.device; }

    TestDevice test_;
};
