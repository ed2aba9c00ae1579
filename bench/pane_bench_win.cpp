// Speed of the texture pane with a mesh at the editor's 16-bit limit (60,000 points, 120,000
// edges: a 245-column grid 2 pixels apart, each point joined to its right and lower neighbours)
// over a 512 x 512 bitmap in a 1000 x 700 pane:
//   pane.fill_ms        adding the points and edges through the group
//   pane.repaint_ms     one full repaint
//   pane.repaint_checker_ms  the same with the checker in place of the bitmap
//   pane.repaint_stretch_ms  the same with the 120,000 grid triangles tinted by stretch
//   pane.drag_step_ms   one mouse move of a drag with every point selected, message in to
//                       paint done
// each the best of its runs (what the code costs on a busy machine), the last two also as the
// median.
#include "app/globals_win.h"
#include "tests/support/pane_host_win.h"
#include "viewer/viewer_settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPoints = 60000;
constexpr int kEdges = 120000;
constexpr int kGridColumns = 245;
constexpr int kSpacing = 2;
constexpr int kRuns = 31;

double nowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

double best(const std::vector<double>& samples)
{
    return *std::min_element(samples.begin(), samples.end());
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void fillMesh(ImageGroup& group)
{
    group.clearEdges();
    for (int k = 0; k < kEdges / 2; ++k) {
        group.addEdge(k, (k + 1) % kPoints);
        group.addEdge(k, (k + kGridColumns) % kPoints);
    }
    group.removeAllPoints();
    for (int k = 0; k < kPoints; ++k)
        group.addPoint(ImagePoint{float(4 + (k % kGridColumns) * kSpacing), float(4 + (k / kGridColumns) * kSpacing)});
}

std::vector<double> timeRepaints(PaneHost& host)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = nowMs();
        host.window().repaint();
        times.push_back(nowMs() - start);
    }
    return times;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    const std::string bitmap = folder + "pane_bench.bmp";
    writeTestBitmap(bitmap, 512, 512, 0x808080, 0xFA0A0A);
    ResetProcessGlobals(GetModuleHandleA(nullptr));
    PaneHost host(1000, 700);
    host.showBitmap(bitmap);
    ImageGroup& group = *host.group;

    std::vector<double> fills;
    for (int run = 0; run < 5; ++run) {
        const double start = nowMs();
        fillMesh(group);
        fills.push_back(nowMs() - start);
    }
    if (group.pointCount() != kPoints || group.edgeCount() != kEdges) {
        std::fprintf(stderr, "pane_bench: the pane holds %d points and %d edges\n",
                     group.pointCount(), group.edgeCount());
        return 1;
    }

    const std::vector<double> repaints = timeRepaints(host);
    g_checkerShown = true;
    const std::vector<double> checkerRepaints = timeRepaints(host);
    g_checkerShown = false;
    // Two triangles per grid cell, of three different sizes on the mesh, so that all are tinted.
    StretchFaces& faces = host.window().stretchFaces;
    for (uint32_t k = 0; k + kGridColumns + 1 < kPoints; ++k) {
        faces.corners.insert(faces.corners.end(), {k, k + 1, k + kGridColumns, k + 1, k + kGridColumns + 1, k + kGridColumns});
        faces.areas.insert(faces.areas.end(), {float(1 + k % 3), 1.0f});
    }
    g_stretchShown = true;
    const std::vector<double> stretchRepaints = timeRepaints(host);
    g_stretchShown = false;

    group.selectAll();
    shiftDown = true;   // the press keeps the whole selection
    host.moveTo(4, 34);
    host.press(4, 34);
    std::vector<double> steps;
    for (int run = 0; run < kRuns; ++run) {
        const double start = nowMs();
        host.moveTo(4 + (run + 1) % 2, 34);
        steps.push_back(nowMs() - start);
    }
    host.release(4, 34);

    std::printf("pane.fill_ms: %.2f ms\n", best(fills));
    std::printf("pane.repaint_ms: %.2f ms\n", best(repaints));
    std::printf("pane.repaint_checker_ms: %.2f ms\n", best(checkerRepaints));
    std::printf("pane.repaint_stretch_ms: %.2f ms\n", best(stretchRepaints));
    std::printf("pane.drag_step_ms: %.2f ms\n", best(steps));
    std::printf("pane.repaint_median_ms: %.2f ms\n", median(repaints));
    std::printf("pane.drag_step_median_ms: %.2f ms\n", median(steps));
    return 0;
}
