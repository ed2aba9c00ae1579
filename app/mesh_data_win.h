#pragma once
// The displayed mesh: the system-memory mesh every read and write goes to, the drawable copy
// the 3D view draws, the strips of each subset, and one marker copy per vertex that the view
// draws at the vertices whose points are selected in the texture pane.
#include <windows.h>
#include <d3d9.h>

#include <vector>

#include "base/com_ref.h"
#include "graphics/d3dx_win.h"

// Strips of one subset, cut once per load.
struct StripData {
    ComRef<IDirect3DIndexBuffer9> singleStripIndices;
    ComRef<IDirect3DIndexBuffer9> stripIndices;
    DWORD singleStripIndexCount = 0;
    std::vector<DWORD> stripLengths;   // triangles of each strip
    DWORD stripCount = 0;
};

struct MeshData {
    DWORD markerCount = 0;
    ComRef<ID3DXMesh> sysMemMesh;
    std::vector<ComRef<ID3DXMesh>> markerSysMemMeshes;   // markerCount entries
    ComRef<ID3DXMesh> mesh;                              // drawable copy of sysMemMesh
    std::vector<ComRef<ID3DXMesh>> markerMeshes;         // drawable copies of the markers
    // The vertex buffer of sysMemMesh, held from the making of the drawable copy until the
    // drawable parts are released; the strip modes draw from it.
    ComRef<IDirect3DVertexBuffer9> vertexBuffer;
    std::vector<StripData> strips;                // one per subset
    DWORD stripDataCount = 0;
    std::vector<std::vector<StripData>> markerStrips;   // markerCount entries of one subset each
    std::vector<DWORD> markerStripCounts;               // always 1 per filled marker
};

// The drawable copies (mesh and every marker entry) and the held vertex buffer; the arrays
// keep their size with null entries.
void releaseDrawableParts(MeshData& data);

// Frees the array of drawable marker copies itself (releasing any entry still held).
void releaseMarkerCopyArray(MeshData& data);

// Everything: the system-memory meshes, the drawable copies, the strips; the counts become 0.
void releaseMeshData(MeshData& data);

// Releases both index buffers of the strips and forgets their lengths.
void releaseStrips(StripData& strips);

// Sizes the four per-marker arrays for n markers (all empty) after releasing what they held.
void resizeMarkerArrays(MeshData& data, DWORD n);
