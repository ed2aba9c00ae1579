#include "threeds/mesh_record.h"

std::list<MeshRecord> g_meshRecords;

const char* lastTextureFileName(const MeshRecord& record)
{
    if (record.materialCount == 0 || record.materialCount > kMaxMaterials)
        return "";
    return record.materials[record.materialCount - 1].textureFileName;
}
