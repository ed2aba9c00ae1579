#pragma once
// The 3DS chunk ids that the reader handles and the writer produces.
#include <cstdint>

namespace chunk3ds {

constexpr uint16_t kMain = 0x4D4D;
constexpr uint16_t kEditor = 0x3D3D;
constexpr uint16_t kKeyframer = 0xB000;
constexpr uint16_t kObject = 0x4000;
constexpr uint16_t kTriangleMesh = 0x4100;
constexpr uint16_t kVertexList = 0x4110;
constexpr uint16_t kFaceList = 0x4120;
constexpr uint16_t kFaceMaterial = 0x4130;
constexpr uint16_t kTexCoordList = 0x4140;
constexpr uint16_t kSmoothingGroups = 0x4150;
constexpr uint16_t kLocalAxes = 0x4160;
constexpr uint16_t kLight = 0x4600;
constexpr uint16_t kCamera = 0x4700;
constexpr uint16_t kMaterialBlock = 0xAFFF;
constexpr uint16_t kMaterialName = 0xA000;
constexpr uint16_t kMaterialDiffuse = 0xA020;
constexpr uint16_t kTextureMap = 0xA200;
constexpr uint16_t kTextureFileName = 0xA300;
constexpr uint16_t kViewport = 0x7001;
constexpr uint16_t kViewportData = 0x7011;
constexpr uint16_t kViewportEntry1 = 0x7012;
constexpr uint16_t kViewportEntry2 = 0x7020;

}  // namespace chunk3ds
