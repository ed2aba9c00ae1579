#include "app/pane_points_win.h"

#include <algorithm>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/texture_pane_win.h"
#include "viewer/image_group_win.h"

void addFaceEdges(ImageGroup& pane, const WORD* indices, DWORD faceCount, DWORD vertexCount,
                  bool addThem)
{
    if (!addThem)
        return;
    for (DWORD f = 0; f < faceCount; ++f) {
        const WORD a = indices[3 * f], b = indices[3 * f + 1], c = indices[3 * f + 2];
        if (a >= vertexCount || b >= vertexCount || c >= vertexCount)
            continue;
        pane.addEdge(a, b);
        pane.addEdge(a, c);
        pane.addEdge(b, c);
    }
    pane.releaseEdgeLookup();
}

void replacePanePoints(ImageGroup& pane, const std::vector<PlanePoint>& points, bool addThem,
                       bool checkerIfNoBitmap)
{
    pane.removeAllPoints();
    g_pointsOnChecker = checkerIfNoBitmap;
    if (!addThem)
        return;
    const PaneBitmapSize size = paneBitmapSize(pane);
    for (const PlanePoint& source : points) {
        ImagePoint point;
        point.x = float(size.width) * source.s;
        point.y = float(size.height) * source.t;
        pane.addPoint(point);
    }
}

PointWriteBack writePanePointsToMesh(ImageGroup& pane, ID3DXMesh* mesh, float vOffset)
{
    const int32_t pointCount = pane.pointCount();
    if (pointCount <= 0)
        return PointWriteBack::Written;
    if (!hasEditedLayout(mesh))
        return PointWriteBack::OtherLayout;
    const PaneBitmapSize size = paneBitmapSize(pane);
    if (size.width <= 0 || size.height <= 0)
        return PointWriteBack::NoBitmapSize;
    VertexLock vertices(mesh);
    if (!vertices.ok())
        return PointWriteBack::NoVertexBuffer;
    const DWORD vertexCount = mesh->GetNumVertices();
    const DWORD count = std::min(DWORD(pointCount), vertexCount);
    pane.resetPointIterator();
    EditedVertex* vertex = vertices.edited();
    for (DWORD k = 0; k < count; ++k) {
        const ImagePoint point = pane.nextPoint();
        vertex[k].u = point.x / float(size.width);
        vertex[k].v = point.y / float(size.height) + vOffset;
    }
    return PointWriteBack::Written;
}
