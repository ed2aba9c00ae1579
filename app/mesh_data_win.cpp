#include "app/mesh_data_win.h"

namespace {

void releaseMeshes(std::vector<ID3DXMesh*>& meshes)
{
    for (ID3DXMesh*& mesh : meshes)
        releaseAndClear(mesh);
}

} // namespace

void releaseStrips(StripData& strips)
{
    releaseAndClear(strips.singleStripIndices);
    releaseAndClear(strips.stripIndices);
    strips.singleStripIndexCount = 0;
    strips.stripLengths.clear();
    strips.stripCount = 0;
}

void releaseDrawableParts(MeshData& data)
{
    releaseAndClear(data.mesh);
    releaseMeshes(data.markerMeshes);
    releaseAndClear(data.vertexBuffer);
}

void releaseMarkerCopyArray(MeshData& data)
{
    releaseMeshes(data.markerMeshes);
    data.markerMeshes.clear();
}

void resizeMarkerArrays(MeshData& data, DWORD n)
{
    releaseMeshes(data.markerSysMemMeshes);
    releaseMeshes(data.markerMeshes);
    for (std::vector<StripData>& markerStrips : data.markerStrips)
        for (StripData& strips : markerStrips)
            releaseStrips(strips);
    data.markerSysMemMeshes.assign(n, nullptr);
    data.markerMeshes.assign(n, nullptr);
    data.markerStrips.assign(n, {});
    data.markerStripCounts.assign(n, 0);
    data.markerCount = n;
}

void releaseMeshData(MeshData& data)
{
    releaseDrawableParts(data);
    releaseAndClear(data.sysMemMesh);
    for (StripData& strips : data.strips)
        releaseStrips(strips);
    data.strips.clear();
    data.stripDataCount = 0;
    resizeMarkerArrays(data, 0);
}
