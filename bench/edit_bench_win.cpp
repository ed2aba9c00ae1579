// Speed and memory of editing 60,000 points (a 245-column grid over a 512 x 512 bitmap in a
// 1000 x 700 pane), every point selected:
//   edit.undo_60k_ms            undo of a move of every point, the pane repainted
//   edit.flip_60k_ms            a horizontal flip recorded as one step, the pane repainted
//   edit.history_mb_100_steps   the history after 100 such moves, in MB (bounded at 64 MB)
// the times as the best of their runs.
#include "bench/best_time.h"
#include "tests/support/pane_host_win.h"
#include "viewer/selection_transform.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kPoints = 60000;
constexpr int kGridColumns = 245;

void moveAll(ImageWindow& window, double dx)
{
    PointTransform t;
    t.offsetX = dx;
    window.history.record(window.points, "Move", [&] { transformSelection(window.points, t, false); });
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string bitmap = (argc > 1 ? std::string(argv[1]) + "/" : std::string()) + "edit_bench.bmp";
    writeTestBitmap(bitmap, 512, 512, 0x808080, 0xFA0A0A);
    PaneHost host(1000, 700);
    host.showBitmap(bitmap);
    ImageWindow& window = host.window();
    for (int k = 0; k < kPoints; ++k) {
        host.group->addPoint(ImagePoint{float(4 + (k % kGridColumns) * 2), float(4 + (k / kGridColumns) * 2)});
        if (k + 1 < kPoints)
            host.group->addEdge(k, k + 1);
    }
    window.points.selectAll();

    double undo = 1e30;
    for (int run = 0; run < 15; ++run) {
        moveAll(window, 1.0);
        undo = std::min(undo, bestMilliseconds(1, [&] {
            window.history.undo(window.points);
            window.pointsMoved();
        }));
    }
    const double flip = bestMilliseconds(15, [&] {
        window.history.record(window.points, "Flip",
                              [&] { transformSelection(window.points, flipHorizontally(), false); });
        window.pointsMoved();
    });
    window.history.clear();
    for (int step = 0; step < 100; ++step)
        moveAll(window, 1.0);
    if (window.points.pointCount() != kPoints || !window.history.canUndo()) {
        std::fprintf(stderr, "edit_bench: the pane holds %d points\n", window.points.pointCount());
        return 1;
    }
    std::printf("edit.undo_60k_ms: %.2f ms\n", undo);
    std::printf("edit.flip_60k_ms: %.2f ms\n", flip);
    std::printf("edit.history_mb_100_steps: %.1f MB\n", double(window.history.bytes()) / (1 << 20));
    std::printf("edit.history_steps_kept: %zu steps\n", window.history.stepCount());
    return 0;
}
