// Painting of an image window: the tiles of the bitmap, the wireframe from the point
// positions as they were before this paint, then the pending motions applied with the squares
// of the points drawn in the same walk, and the rubber band. Everything is drawn into the
// window's canvas and copied to the screen once. The wireframe goes to GDI in PolyPolyline
// calls of a few thousand lines, which draw the same pixels as a MoveToEx / LineTo pair per
// line, in the same order; the squares of the points are written into the canvas's pixels
// directly.
#include "viewer/image_window_win.h"

#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"
#include "threeds/diagnostics.h"
#include "viewer/apply_request.h"
#include "viewer/point_edit_state.h"
#include "viewer/point_motion.h"
#include "viewer/triangle_spans.h"
#include "viewer/viewer_settings.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

namespace {

constexpr int kSquareHalfSide = 3;
constexpr uint32_t kSelectedColour = 0x0000FF00;   // green, as 0x00RRGGBB
constexpr uint32_t kPointColour = 0x00000000;
constexpr float kPixelLimit = 1.0e8f;

// A window coordinate truncated toward zero, kept where GDI can take it.
int toPixel(float value)
{
    if (!(value == value))
        return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

// Lines handed to GDI a few thousand at a time from a small fixed buffer, each call a
// PolyPolyline of two-point lines, which draws the same pixels as a MoveToEx / LineTo pair per
// line, in the same order.
class LineBatch {
public:
    explicit LineBatch(HDC dc) : dc_(dc) {}
    ~LineBatch() { flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    void addLine(POINT from, POINT to)
    {
        vertices_[2 * lines_] = from;
        vertices_[2 * lines_ + 1] = to;
        if (++lines_ == kLines)
            flush();
    }
    void flush()
    {
        static const std::array<DWORD, kLines> twos = [] {
            std::array<DWORD, kLines> counts;
            counts.fill(2);
            return counts;
        }();
        if (lines_ > 0)
            PolyPolyline(dc_, vertices_, twos.data(), lines_);
        lines_ = 0;
    }

private:
    static constexpr DWORD kLines = 4096;
    HDC dc_;
    POINT vertices_[2 * kLines];
    DWORD lines_ = 0;
};

COLORREF colorRef(unsigned rgb)
{
    return RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// The pens of a paint, made and deleted with it.
struct PaintPens {
    GdiObject<HPEN> band{CreatePen(PS_DOT, 0, RGB(255, 255, 255))};
    // The wireframe pen of the line colour setting.
    GdiObject<HPEN> wireframe{CreatePen(PS_SOLID, 0, colorRef(wireframeColour()))};
};

// Window positions of all points before this paint moves them; the wireframe is drawn from
// these, so during a drag it trails the squares by one mouse event.
bool takeSnapshot(const ImageWindow& window, std::vector<POINT>& snapshot)
{
    const int32_t count = window.points.pointCount();
    try {
        snapshot.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    }
    POINT* next = snapshot.data();
    window.points.forEachPoint([&](const ImagePoint& p) {
        *next++ = {toPixel(p.x * window.zoom - window.scrollX), toPixel(p.y * window.zoom - window.scrollY)};
    });
    return true;
}

void drawWireframe(HDC dc, const ImageWindow& window, const std::vector<POINT>& snapshot,
                   const PaintPens& pens)
{
    if (!g_pointsReady || window.edges.edgeCount() <= 0)
        return;
    const int32_t count = static_cast<int32_t>(snapshot.size());
    const SelectedObject pen(dc, pens.wireframe);
    LineBatch batch(dc);
    for (const EdgePair& edge : window.edges.pairs()) {
        if (edge.a < 0 || edge.a >= count || edge.b < 0 || edge.b >= count)
            continue;
        batch.addLine(snapshot[static_cast<size_t>(edge.a)], snapshot[static_cast<size_t>(edge.b)]);
    }
}

void drawBand(HDC dc, const PaintPens& pens)
{
    if (!g_editState.bandActive)
        return;
    const int x0 = toPixel(g_editState.bandStart.x), y0 = toPixel(g_editState.bandStart.y);
    const int x1 = toPixel(g_editState.bandEnd.x), y1 = toPixel(g_editState.bandEnd.y);
    const POINT corners[5] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    SelectedObject selection(dc, pens.band);
    const int previousMode = SetBkMode(dc, TRANSPARENT);  // the gaps show what lies below
    Polyline(dc, corners, 5);
    SetBkMode(dc, previousMode);
}

// Each triangle tinted by how its share of the texture differs from the mesh's (Stretch View):
// over the tiles, under the wireframe, from the points as they stand before this paint.
void tintByStretch(const ImageWindow& window, const PixelBuffer& canvas)
{
    static std::vector<float> measures;   // scratch reused by every paint, as the snapshot is
    measureStretch(window.stretchFaces, window.points, measures);
    const std::vector<uint32_t>& corners = window.stretchFaces.corners;
    for (size_t f = 0; f < measures.size(); ++f) {
        const float measure = measures[f];
        if (measure == 0.0f)
            continue;   // also every face with a corner beyond the points
        float xs[3], ys[3];
        for (int k = 0; k < 3; ++k) {
            const ImagePoint& p = window.points.at(int32_t(corners[3 * f + k]));
            xs[k] = p.x * window.zoom - float(window.scrollX);
            ys[k] = p.y * window.zoom - float(window.scrollY);
        }
        forEachTriangleSpan(xs, ys, canvas.width, canvas.height, [&](int row, int first, int end) {
            uint32_t* rowPixels = canvas.pixels + size_t(row) * size_t(canvas.width);
            for (int x = first; x < end; ++x)
                rowPixels[x] = stretchTint(rowPixels[x], measure);
        });
    }
}

// Keeps the copy off the scroll bars and the toolbar, which paint themselves.
void excludeChildWindows(HWND window, HDC dc)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT area;
        GetWindowRect(child, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
}

}  // namespace

// Only the tiles that reach into the client area are drawn, so a large repeat setting costs
// nothing beyond what is visible. The checker stands in for a bitmap there is not, and for the
// one there is while the Checker item is checked.
void ImageWindow::drawTiles(HDC dc, int clientWidth, int clientHeight)
{
    HBITMAP shown = bitmap.getShownBitmap();
    const bool checker = !shown || g_checkerShown;
    const int tileWidth = static_cast<int>(textureWidth() * zoom);
    const int tileHeight = static_cast<int>(textureHeight() * zoom);
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    const int hPosition = horizontalBar.position;
    const int vPosition = verticalBar.position;
    const int firstColumn = std::max(0, hPosition / tileWidth - 1);
    const int firstRow = std::max(0, (vPosition - ImageBitmap::CopiedExtraRows) / tileHeight - 1);
    for (int i = firstColumn; i < g_repeatHorizontal; ++i) {
        const long long left = static_cast<long long>(tileWidth) * i - hPosition;
        if (left >= clientWidth)
            break;   // this and every later column lie right of the client area
        for (int j = firstRow; j < g_repeatVertical; ++j) {
            const long long top = static_cast<long long>(tileHeight) * j - vPosition;
            if (top >= clientHeight)
                break;
            if (checker)
                checkerTile_.draw(dc, hwnd, int(left), int(top), tileWidth, tileHeight);
            else
                bitmap.drawBitmap(dc, tileWidth, tileHeight, tileWidth * i, tileHeight * j, shown, i, j, 0,
                                  hPosition, vPosition);
        }
    }
}

void ImageWindow::render(bool advance)
{
    RECT client;
    GetClientRect(hwnd, &client);
    HDC dc = canvas_.prepare(client.right, client.bottom);
    if (!dc)
        return;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    HBRUSH background = reinterpret_cast<HBRUSH>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND));
    SetBrushOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &client, background ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawTiles(dc, client.right, client.bottom);
    if (g_stretchShown) {
        GdiFlush();
        tintByStretch(*this, canvas_.pixels());
    }

    PaintPens pens;
    // Scratch reused by every paint of every window (one GUI thread), so a drag allocates nothing.
    static std::vector<POINT> snapshot;
    const bool haveSnapshot = takeSnapshot(*this, snapshot);
    if (!haveSnapshot)
        errorBox("Error: Out of Memory");
    else
        drawWireframe(dc, *this, snapshot, pens);
    GdiFlush();
    drawPoints(advance);
    if (advance)
        runRequestedApply();
    drawBand(dc, pens);
    GdiFlush();
}

// One walk over the points both moves and draws them. The squares go straight into the
// canvas's pixels: tens of thousands of them through GDI would cost more than the whole rest
// of the paint.
void ImageWindow::drawPoints(bool advance)
{
    const PixelBuffer canvas = canvas_.pixels();
    const FloatPair pivot = g_editState.pivot;
    points.forEachPoint([&](ImagePoint& p) {
        if (advance && p.motionPending)
            applyPendingMotion(p, zoom, pivot);
        drawSquareOutline(canvas, toPixel(p.x * zoom - scrollX), toPixel(p.y * zoom - scrollY), kSquareHalfSide,
                          p.selected ? kSelectedColour : kPointColour);
    });
}

// A requested apply waits until the window has points: without them there is nothing to
// write back, and the request stays for the next paint.
void ImageWindow::runRequestedApply()
{
    if (g_editState.applyRequested && points.pointCount() > 0) {
        g_editState.applyRequested = false;
        runApplyPointsHandler();
    }
}

void ImageWindow::paint(HDC target)
{
    render(true);
    excludeChildWindows(hwnd, target);
    canvas_.copyTo(target);
}

void ImageWindow::printClient(HDC target)
{
    if (!canvas_.copyTo(target)) {
        render(false);
        canvas_.copyTo(target);
    }
}
