#include "app/mesh_data_win.h"

namespace {

void releaseMeshes(std::vector<ComRef<ID3DXMesh>>& meshes)
{
    for (ComRef<ID3DXMesh>& mesh : meshes)
        mesh.reset();
}

} // namespace

void releaseStrips(StripData& strips)
{
    strips.singleStripIndices.reset();
    strips.stripIndices.reset();
    strips.singleStripIndexCount = 0;
    strips.stripLengths.clear();
    strips.stripCount = 0;
}

void releaseDrawableParts(MeshData& data)
{
    data.mesh.reset();
    releaseMeshes(data.markerMeshes);
    data.vertexBuffer.reset();
}

void releaseMarkerCopyArray(MeshData& data)
{
    data.markerMeshes.clear();
}

void resizeMarkerArrays(MeshData& data, DWORD n)
{
    data.markerSysMemMeshes.clear();
    data.markerSysMemMeshes.resize(n);
    data.markerMeshes.clear();
    data.markerMeshes.resize(n);
    data.markerStrips.clear();
    data.markerStrips.resize(n);
    data.markerStripCounts.assign(n, 0);
    data.markerCount = n;
}

void releaseMeshData(MeshData& data)
{
    releaseDrawableParts(data);
    data.sysMemMesh.reset();
    data.strips.clear();
    data.stripDataCount = 0;
    resizeMarkerArrays(data, 0);
}
