// Textures from image files on disk, on a real device.
#include <cstring>

#include "device_test_support.h"
#include "image_files.h"
#include "tests/support/test_files.h"

namespace {

D3DSURFACE_DESC levelDesc(IDirect3DTexture9* texture, UINT level) {
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(level, &desc);
    return desc;
}

uint32_t pixelAt(IDirect3DTexture9* texture, UINT level, int x, int y) {
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY))) return 0xDEADBEEF;
    const uint32_t pixel = reinterpret_cast<const uint32_t*>(
        static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch)[x];
    texture->UnlockRect(level);
    return pixel;
}

class TextureFile : public DeviceTest {
protected:
    IDirect3DTexture9* load(const char* name) {
        IDirect3DTexture9* texture = nullptr;
        result_ = D3DXCreateTextureFromFileA(device(), name, &texture);
        return texture;
    }
    HRESULT result_ = E_FAIL;
};

}  // namespace

TEST_F(TextureFile, BitmapBecomesAPowerOfTwoTextureWithAFullChain) {
    std::vector<uint32_t> pixels(15, 0x2040C0);
    pixels[0] = 0xFF0000;
    pixels[14] = 0x00FF00;
    writeFile("small.bmp", makeBmp(24, false, 5, 3, pixels, {}));
    IDirect3DTexture9* texture = load("small.bmp");
    ASSERT_EQ(S_OK, result_);
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(4u, texture->GetLevelCount());  // 8x4, 4x2, 2x1, 1x1
    const D3DSURFACE_DESC top = levelDesc(texture, 0);
    EXPECT_EQ(8u, top.Width);
    EXPECT_EQ(4u, top.Height);
    EXPECT_EQ(D3DFMT_X8R8G8B8, top.Format);
    EXPECT_EQ(D3DPOOL_MANAGED, top.Pool);
    EXPECT_EQ(1u, levelDesc(texture, 3).Width);
    EXPECT_EQ(0xFF0000u, pixelAt(texture, 0, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(0x00FF00u, pixelAt(texture, 0, 7, 3) & 0xFFFFFF);
    texture->Release();
}

TEST_F(TextureFile, EveryFormatLoads) {
    const std::vector<uint32_t> pixels(16, 0x336699);
    writeFile("a.png", makePng(4, 4, pixels));
    writeFile("a.jpg", makeJpeg(4, 4, pixels));
    writeFile("a.tga", makeTga(4, 4, pixels));
    writeFile("a.pgm", makePnm(false, 4, 4, pixels));
    writeFile("a.ppm", makePnm(true, 4, 4, pixels));
    writeFile("a.bmp", makeBmp(8, true, 4, 4, pixels, {0x336699}));
    for (const char* name : {"a.png", "a.jpg", "a.tga", "a.pgm", "a.ppm", "a.bmp"}) {
        SCOPED_TRACE(name);
        IDirect3DTexture9* texture = load(name);
        ASSERT_EQ(S_OK, result_);
        EXPECT_EQ(3u, texture->GetLevelCount());
        EXPECT_EQ(4u, levelDesc(texture, 0).Width);
        texture->Release();
    }
}

TEST_F(TextureFile, DdsKeepsItsBlocksOrIsDecoded) {
    // Red (565 0xF800) everywhere at each of the three levels of a 4 x 4 DXT1 chain.
    const Bytes red = {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};
    writeFile("red.dds", makeDds("DXT1", 4, 4, {red, red, red}));
    IDirect3DTexture9* texture = load("red.dds");
    ASSERT_EQ(S_OK, result_);
    EXPECT_EQ(3u, texture->GetLevelCount());
    const D3DFORMAT format = levelDesc(texture, 0).Format;
    if (format == D3DFMT_DXT1) {
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(S_OK, texture->LockRect(2, &locked, nullptr, D3DLOCK_READONLY));
        EXPECT_EQ(0, std::memcmp(locked.pBits, red.data(), 8));
        texture->UnlockRect(2);
    } else {
        // A device without DXT1 gets the pixels.
        EXPECT_EQ(D3DFMT_A8R8G8B8, format);
        EXPECT_EQ(0xFFFF0000u, pixelAt(texture, 0, 1, 1));
    }
    texture->Release();

    // A DXT5 of 3 x 2 cannot stay compressed: decoded, scaled to 4 x 2, alpha kept.
    Bytes dxt5 = {0x40, 0x40, 0, 0, 0, 0, 0, 0, 0x1F, 0, 0x1F, 0, 0, 0, 0, 0};
    writeFile("odd.dds", makeDds("DXT5", 3, 2, {dxt5}));
    texture = load("odd.dds");
    ASSERT_EQ(S_OK, result_);
    EXPECT_EQ(D3DFMT_A8R8G8B8, levelDesc(texture, 0).Format);
    EXPECT_EQ(4u, levelDesc(texture, 0).Width);
    EXPECT_EQ(0x400000FFu, pixelAt(texture, 0, 0, 0));
    texture->Release();

    writeFile("rgba.dds", makeDdsRgb32(2, 2, true, {0x80FF0000, 0x80FF0000, 0x80FF0000, 0x80FF0000}));
    texture = load("rgba.dds");
    ASSERT_EQ(S_OK, result_);
    EXPECT_EQ(D3DFMT_A8R8G8B8, levelDesc(texture, 0).Format);
    EXPECT_EQ(0x80FF0000u, pixelAt(texture, 1, 0, 0));
    texture->Release();
}

TEST_F(TextureFile, MissingUnknownAndCorruptFilesFail) {
    writeFile("noise.bmp", Bytes(300, 0x5A));
    Bytes cut = makeBmp(24, false, 5, 3, std::vector<uint32_t>(15, 0), {});
    cut.resize(cut.size() - 1);
    writeFile("cut.bmp", cut);
    writeFile("empty.png", "");
    for (const char* name : {"missing.bmp", "noise.bmp", "cut.bmp", "empty.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(nullptr, load(name));
        EXPECT_EQ(D3DXERR_INVALIDDATA, result_);
    }
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateTextureFromFileA(device(), nullptr, &texture));
}
