// OBJ speed beside Assimp, and the UV layout picture: the 60,000-vertex torus knot (600 x 100
// vertices, 120,000 triangles, normals and texture coordinates) written once as an OBJ file,
// then loaded from disk by our reader and by Assimp's importer (no post-processing) by turns,
// so that both meet the same load of this shared machine, best of several loads each; and its
// layout drawn at 2048 x 2048 over a bitmap and encoded as PNG. Prints `name: value unit`
// lines, the ratio being Assimp's time over ours. With "profile" after the folder it only
// repeats our load, for perf.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/uv_layout.h"
#include "base/whole_file.h"
#include "bench/best_time.h"
#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"
#include "graphics/png_write.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kRuns = 15;   // best of many: this machine is shared

bool loadOurs(const std::string& path, uint32_t faces)
{
    std::vector<uint8_t> bytes;
    ObjMesh obj;
    return readWholeFile(path.c_str(), size_t(1) << 30, bytes) &&
           readObj(reinterpret_cast<const char*>(bytes.data()), bytes.size(), obj).status ==
               ObjReadStatus::Ok &&
           obj.mesh.faceCount() == faces;
}

bool loadAssimp(Assimp::Importer& importer, const std::string& path, uint32_t faces)
{
    const aiScene* scene = importer.ReadFile(path, 0);
    unsigned read = 0;
    for (unsigned m = 0; scene && m < scene->mNumMeshes; ++m)
        read += scene->mMeshes[m]->mNumFaces;
    importer.FreeScene();
    return read == faces;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    ObjMesh knot;
    knot.mesh = makeTorusKnot(600, 100);
    knot.materialNames = {"knot"};
    const uint32_t faces = knot.mesh.faceCount();
    const std::string path = folder + "/knot.obj", text = writeObj(knot);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        std::fprintf(stderr, "obj_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    std::fclose(file);

    bool ok = true;
    if (argc > 2 && std::string(argv[2]) == "profile") {
        for (int i = 0; i < 200; ++i)
            ok &= loadOurs(path, faces);
        return ok ? 0 : 1;
    }
    double ours = 1e30, assimp = 1e30;
    Assimp::Importer importer;
    for (int i = 0; i < kRuns; ++i) {
        ours = std::min(ours, bestMilliseconds(1, [&] { ok &= loadOurs(path, faces); }));
        assimp = std::min(assimp, bestMilliseconds(1, [&] { ok &= loadAssimp(importer, path, faces); }));
    }
    if (!ok) {
        std::fprintf(stderr, "obj_bench: a load of %s failed or read other faces\n", path.c_str());
        return 1;
    }
    std::printf("obj.load_60k_ms: %.2f ms\n", ours);
    std::printf("obj.assimp_load_60k_ms: %.2f ms\n", assimp);
    std::printf("obj.assimp_over_ours: %.2f x\n", assimp / ours);

    UvLayout layout;
    layout.width = layout.height = 2048;
    layout.bitmapWidth = layout.bitmapHeight = 512;
    for (size_t v = 0; v < knot.mesh.vertexCount(); ++v) {
        layout.points.push_back(knot.mesh.texcoords[2 * v] * 512);
        layout.points.push_back(knot.mesh.texcoords[2 * v + 1] * 512);
    }
    layout.triangles = knot.mesh.indices;
    Image bitmap;
    bitmap.width = bitmap.height = 512;
    bitmap.pixels.assign(512 * 512, 0xFF808080u);
    size_t bytes = 0;
    const double export_ms = bestMilliseconds(3, [&] {
        bytes = encodePng(drawUvLayout(layout, &bitmap)).size();
    });
    std::printf("export.uv_layout_60k_ms: %.1f ms\n", export_ms);
    std::printf("export.uv_layout_60k_png_bytes: %zu bytes\n", bytes);
    return bytes ? 0 : 1;
}
