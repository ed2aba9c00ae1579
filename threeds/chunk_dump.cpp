// The chunk dump and its names of 3DS chunk ids, sorted by id for a binary search.
#include "threeds/chunk_dump.h"

#include <algorithm>
#include <iterator>

#include "threeds/diagnostics.h"

namespace {

struct ChunkLabel {
    uint32_t id;
    const char* label;
};

constexpr ChunkLabel kLabels[] = {
    {0x0001, "TOP 0x0001"},
    {0x0002, "BOTTOM 0x0002"},
    {0x0003, "LEFT 0x0003"},
    {0x0004, "RIGHT 0x0004"},
    {0x0005, "FRONT 0x0005"},
    {0x0006, "BACK 0x0006"},
    {0x0007, "USER 0x0007"},
    {0x0008, "CAMERA 0x0008"},
    {0x0009, "LIGHT 0x0009"},
    {0x0010, "COL_RGB 0x0010"},
    {0x0011, "COL_TRU or MAT_RGB1AMBIENT 0x0011"},
    {0x0012, "MAT_RGB2AMBIENT 0x0012"},
    {0x0013, "COL_UNK 0x0013"},
    {0x0030, "MAT_AOFAMBIENT 0x0030"},
    {0x0100, "EDIT_CONFIG1 0x0100"},
    {0x1100, "EDIT_UNKNW01 0x1100"},
    {0x1200, "EDIT_BACKGR 0x1200"},
    {0x1201, "EDIT_UNKNW02 0x1201"},
    {0x1300, "EDIT_UNKNW03 0x1300"},
    {0x1400, "EDIT_UNKNW04 0x1400"},
    {0x1420, "EDIT_UNKNW05 0x1420"},
    {0x1450, "EDIT_UNKNW06 0x1450"},
    {0x1500, "EDIT_UNKNW07 0x1500"},
    {0x2100, "EDIT_AMBIENT 0x2100"},
    {0x2200, "EDIT_UNKNW08 0x2200"},
    {0x2201, "EDIT_UNKNW09 0x2201"},
    {0x2210, "EDIT_UNKNW10 0x2210"},
    {0x2300, "EDIT_UNKNW11 0x2300"},
    {0x2302, "EDIT_UNKNW12 0x2302"},
    {0x3000, "EDIT_UNKNW13 0x3000"},
    {0x3D3D, "EDIT3DS 0x3D3D"},
    {0x3E3D, "EDIT_CONFIG2 0x3E3D"},
    {0x4000, "EDIT_OBJECT 0x4000"},
    {0x4010, "OBJ_UNKNWN01 0x4010"},
    {0x4012, "OBJ_UNKNWN02 0x4012"},
    {0x4100, "OBJ_TRIMESH 0x4100"},
    {0x4110, "TRI_VERTEXL 0x4110"},
    {0x4111, "TRI_FACEL2 0x4111"},
    {0x4120, "TRI_FACEL1 0x4120"},
    {0x4130, "OBJECT_MATERIAL 0x4130"},
    {0x4140, "OBJECT_UV 0x4140"},
    {0x4150, "TRI_SMOOTH 0x4150"},
    {0x4160, "TRI_LOCAL 0x4160"},
    {0x4165, "TRI_VISIBLE 0x4165"},
    {0x4600, "OBJ_LIGHT 0x4600"},
    {0x4610, "LIT_SPOT 0x4610"},
    {0x4620, "LIT_OFF 0x4620"},
    {0x465A, "LIT_UNKNWN01 0x465A"},
    {0x4700, "OBJ_CAMERA 0x4700"},
    {0x4710, "CAM_UNKNWN01 0x4710"},
    {0x4720, "CAM_UNKNWN02 0x4720"},
    {0x4D4D, "MAIN3DS 0x4D4D"},
    {0x7001, "EDIT_VIEW1 0x7001"},
    {0x7011, "EDIT_VIEW_P2 0x7011"},
    {0x7012, "EDIT_VIEW_P1 0x7012"},
    {0x7020, "EDIT_VIEW_P3 0x7020"},
    {0xA000, "MAT_NAME 0xA000"},
    {0xA010, "MAT_AMBIENT 0xA010"},
    {0xA020, "MAT_DIFFUSE 0xA020"},
    {0xA030, "MAT_SPECULAR 0xA030"},
    {0xA040, "MAT_SHINE 0xA040"},
    {0xA041, "MAT_SHINESTR 0xA041"},
    {0xA050, "MAT_TRANS 0xA050"},
    {0xA052, "MAT_TRANSFALLOFF 0xA052"},
    {0xA053, "MAT_REFLECTBLUR 0xA053"},
    {0xA084, "MAT_SELFILLUM 0xA084"},
    {0xA087, "MAT_WIRETHICKNESS 0xA087"},
    {0xA100, "MAT_MATTYPE 0xA100"},
    {0xA252, "MAT_AOFBAMBIENT 0xA252"},
    {0xAFFF, "EDIT_MATERIAL or EDIT_UNKNW14 0xAFFF"},
    {0xB000, "KEYF3DS 0xB000"},
};
static_assert(std::size(kLabels) == 71, "the dump names 71 chunk ids");

}  // namespace

const char* chunkLabel(uint32_t id)
{
    const auto found = std::lower_bound(std::begin(kLabels), std::end(kLabels), id,
        [](const ChunkLabel& entry, uint32_t wanted) { return entry.id < wanted; });
    if (found == std::end(kLabels) || found->id != id)
        return "UNKNOWN CHUNK";
    return found->label;
}

void dumpChunkName(uint32_t id)
{
    appendTraceLine("chunks.tst", chunkLabel(id));
}
