#include "tests/support/device_fixture_win.h"

#include <gtest/gtest.h>

TEST(DeviceFixture, MakesARealDeviceThatClearsAndReleasesCleanly)
{
    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test, 64, 32));
    ASSERT_TRUE(SUCCEEDED(test.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0)));

    IDirect3DSurface9* backBuffer = nullptr;
    IDirect3DSurface9* copy = nullptr;
    ASSERT_TRUE(SUCCEEDED(test.device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)));
    ASSERT_TRUE(SUCCEEDED(test.device->CreateOffscreenPlainSurface(
        64, 32, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr)));
    ASSERT_TRUE(SUCCEEDED(test.device->GetRenderTargetData(backBuffer, copy)));
    D3DLOCKED_RECT locked;
    ASSERT_TRUE(SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)));
    EXPECT_EQ(*static_cast<const DWORD*>(locked.pBits) & 0xFFFFFF, 0x0000FFu);
    copy->UnlockRect();
    copy->Release();
    backBuffer->Release();

    EXPECT_EQ(releaseTestDevice(test), 0u);
}
