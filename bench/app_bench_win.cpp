// Speed of the editor under Wine on a real device: opening a 60,000-vertex textured X file
// and the same mesh as a 3DS file, applying 7,000 edited points, a frame with 7,000 markers,
// and the planar projection of the 60,000-vertex mesh; and the memory the first open takes
// (working set before it, the peak while it runs and with the mesh's first frame drawn).
// Prints `name: value unit` lines; writes its media into the output folder given as the
// first argument. A second argument, "project" or "markers", makes it repeat only that figure
// many times over, for a profiler (perf record) to watch.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "app/globals_win.h"
#include "app/my_d3d_application_win.h"
#include "base/com_ref.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "viewer/apply_request.h"
#include "viewer/image_group_win.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

const char kTexture[] = "bench512.bmp";

// A torus knot of segments x sides vertices naming the bench's bitmap, as a binary X file.
bool writeKnot(const char* name, int segments, int sides)
{
    MeshContent knot = makeTorusKnot(segments, sides);
    for (MeshMaterial& material : knot.materials)
        material.textureFile = kTexture;
    return saveXFile(name, knot, XFileFormat::Binary);
}

// The same knot as a 3DS file written by the program's own writer.
bool writeKnot3ds(const char* name, int segments, int sides)
{
    const MeshContent knot = makeTorusKnot(segments, sides);
    MeshRecord record;
    record.vertices.resize(knot.vertexCount());
    memcpy(record.vertices.data(), knot.positions.data(), knot.positions.size() * sizeof(float));
    record.texCoords.resize(knot.vertexCount());
    memcpy(record.texCoords.data(), knot.texcoords.data(), knot.texcoords.size() * sizeof(float));
    for (uint32_t f = 0; f < knot.faceCount(); ++f)
        record.faces.push_back({knot.indices[3 * f], knot.indices[3 * f + 1], knot.indices[3 * f + 2]});
    record.materialCount = 1;
    snprintf(record.materials[0].textureFileName, kRecordTextLength, "%s", kTexture);
    g_meshRecords.clear();
    g_meshRecords.push_back(std::move(record));
    const bool opened = g_chunk3dsFile.openForWriting(name);
    if (opened) {
        g_chunk3dsFile.Write();
        g_chunk3dsFile.closeWriting();
    }
    g_meshRecords.clear();
    return opened;
}

class BenchEditor : public CMyD3DApplication {
public:
    // Every figure needs the texture pane; without one from the framework there is nothing
    // to measure.
    HRESULT InitAppOnce() override
    {
        if (!m_texturePane) {
            fprintf(stderr, "AppBench: the framework made no texture pane\n");
            exit(1);
        }
        return CMyD3DApplication::InitAppOnce();
    }

    bool start()
    {
        ResetProcessGlobals(GetModuleHandleA(nullptr));
        return SUCCEEDED(Create(GetModuleHandleA(nullptr))) && m_pDevice;
    }

    // Open File with the dialog's answer already given, then one frame finished on the device;
    // `afterOpen` runs between the two, untimed.
    double openAndDraw(const char* name, const std::function<void()>& afterOpen = nullptr)
    {
        const Clock::time_point start = Clock::now();
        GetFullPathNameA(name, sizeof(m_meshFileName), m_meshFileName, nullptr);
        OpenChosenMeshFile(name);
        const Clock::time_point opened = Clock::now();
        if (afterOpen)
            afterOpen();
        const Clock::time_point drawing = Clock::now();
        drawFinishedFrame();
        return millisecondsSince(start) - std::chrono::duration<double, std::milli>(drawing - opened).count();
    }

    double finishedFrame()
    {
        const Clock::time_point start = Clock::now();
        drawFinishedFrame();
        return millisecondsSince(start);
    }

    // Map Texture Coordinates, xy plane, from the press of OK to the end of the command (the
    // "xy" box is answered by a 10 ms timer, which the figure includes).
    double project()
    {
        DialogAnswerer answerer;
        Clock::time_point start;
        answerer.runOnNext([&](HWND dialog) {
            start = Clock::now();
            SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
        });
        SendMessageA(m_hMainWnd, WM_COMMAND, 40052, 0);
        return millisecondsSince(start);
    }

    void stop() { SendMessageA(m_hMainWnd, WM_CLOSE, 0, 0); }

    ImageGroup& pane() { return *m_texturePane; }
    DWORD vertexCount() const
    {
        return m_meshData.sysMemMesh ? m_meshData.sysMemMesh->GetNumVertices() : 0;
    }

private:
    // Draws one frame and waits until the device has finished it.
    void drawFinishedFrame()
    {
        AdvanceFrame();
        RenderFrame();
        ComRef<IDirect3DQuery9> query;
        if (FAILED(m_pDevice->CreateQuery(D3DQUERYTYPE_EVENT, query.put())))
            return;
        query->Issue(D3DISSUE_END);
        while (query->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE) {
        }
        query.reset();
        m_pDevice->Present(nullptr, nullptr, nullptr, nullptr);
    }
};

struct WorkingSet {
    double currentMb = 0;
    double peakMb = 0;
};

WorkingSet workingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    WorkingSet set;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        set.currentMb = double(counters.WorkingSetSize) / (1024.0 * 1024.0);
        set.peakMb = double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
    }
    return set;
}

template <typename Measure> double bestOf(int runs, Measure measure)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const double ms = measure();
        if (ms < best)
            best = ms;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        SetCurrentDirectoryA(argv[1]);
    writeFile(kTexture, buildBmp24(512, 512, [](int x, int y) { return uint32_t((x ^ y) & 0xFF) * 0x010101u; }));
    if (!writeKnot("bench_knot_60k.x", 600, 100) || !writeKnot("bench_knot_7k.x", 70, 100) ||
        !writeKnot3ds("bench_knot_60k.3ds", 600, 100)) {
        fprintf(stderr, "AppBench: cannot write the bench meshes\n");
        return 1;
    }
    static BenchEditor editor;
    if (!editor.start()) {
        fprintf(stderr, "AppBench: no Direct3D device\n");
        return 1;
    }
    if (argc > 2) {
        const bool markers = strcmp(argv[2], "markers") == 0;
        editor.openAndDraw(markers ? "bench_knot_7k.x" : "bench_knot_60k.x");
        editor.pane().selectAll();
        const double best = bestOf(markers ? 300 : 30, [markers] {
            return markers ? editor.finishedFrame() : editor.project();
        });
        printf("%s repeated, best %.1f ms\n", argv[2], best);
        editor.stop();
        return 0;
    }

    // Memory: what the process holds before the first open, its peak while the mesh opens,
    // and the mesh's own data (32-byte vertices, 16-bit indices) to measure the growth by.
    const WorkingSet before = workingSet();
    WorkingSet opened;
    double open60k = editor.openAndDraw("bench_knot_60k.x", [&] { opened = workingSet(); });
    const WorkingSet drawn = workingSet();
    const double meshDataMb = (60000.0 * 32 + 120000.0 * 3 * 2) / (1024.0 * 1024.0);
    open60k = std::min(open60k, bestOf(4, [] { return editor.openAndDraw("bench_knot_60k.x"); }));
    if (editor.pane().pointCount() != 60000)
        fprintf(stderr, "AppBench: the pane holds %d points\n", editor.pane().pointCount());
    printf("app.open_x_60k_ms: %.1f ms\n", open60k);
    // The first frame of the mesh is drawn by the device (Mesa's software rasterizer under
    // Wine here), whose own buffers then join the process; the open alone is the editor's.
    printf("app.working_set_before_open_mb: %.1f MB\n", before.currentMb);
    printf("app.peak_working_set_mb: %.1f MB\n", drawn.peakMb);
    printf("app.mesh_data_60k_mb: %.2f MB\n", meshDataMb);
    printf("app.open_60k_peak_growth_mb: %.1f MB\n", opened.peakMb - before.currentMb);
    printf("app.open_60k_peak_growth_over_mesh_data: %.1f ratio\n", (opened.peakMb - before.currentMb) / meshDataMb);
    printf("app.first_frame_60k_growth_mb: %.1f MB\n", drawn.peakMb - opened.peakMb);
    printf("app.project_60k_ms: %.1f ms\n", bestOf(5, [] { return editor.project(); }));
    const double open3ds = bestOf(3, [] { return editor.openAndDraw("bench_knot_60k.3ds"); });
    if (editor.pane().pointCount() != 60000)
        fprintf(stderr, "AppBench: the pane holds %d points\n", editor.pane().pointCount());
    printf("app.open_3ds_60k_ms: %.1f ms\n", open3ds);

    editor.openAndDraw("bench_knot_7k.x");
    if (editor.pane().pointCount() != 7000)
        fprintf(stderr, "AppBench: the pane holds %d points\n", editor.pane().pointCount());
    const double apply = bestOf(5, [] {
        const Clock::time_point start = Clock::now();
        runApplyPointsHandler();
        return millisecondsSince(start);
    });
    printf("app.apply_7k_ms: %.2f ms\n", apply);

    editor.pane().selectAll();
    editor.finishedFrame();   // the markers' device buffers are made at their first draw
    printf("app.frame_7k_markers_ms: %.1f ms\n", bestOf(15, [] { return editor.finishedFrame(); }));
    editor.stop();
    return 0;
}
