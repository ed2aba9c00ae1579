// Writes the program's media into the folder given as the first argument:
//   knot.x   a torus-knot tube with normals, texture coordinates (seams copied, so the
//            texture runs on without a jump) and a material naming knot.bmp
//   cube.x   the marker mesh
//   knot.bmp, checker.bmp, stripes.bmp   24-bit bitmaps
// With --binary the meshes are written as binary X files instead of text ones. For each mesh
// a line "<file>: <faces> faces, box <min x y z> <max x y z>" is printed, so that scripts can
// compare what other tools read.
#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/xfile_writer.h"
#include "scripts/mediagen/bmp_file.h"
#include "scripts/mediagen/cube_mesh.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kKnotSegments = 128;
constexpr int kKnotSides = 16;

// Bands of hue across, darker toward the bottom, with a white grid every 32 pixels: easy to
// follow on a mesh and in the texture pane.
uint32_t knotPixel(int x, int y)
{
    if (x % 32 == 0 || y % 32 == 0)
        return 0xFFFFFF;
    static const uint32_t kBands[8] = {0xE6194B, 0xF58231, 0xFFE119, 0x3CB44B,
                                       0x42D4F4, 0x4363D8, 0x911EB4, 0xF032E6};
    uint32_t rgb = kBands[(x / 32) % 8];
    int shade = 255 - y / 2;
    uint32_t r = ((rgb >> 16) & 0xFF) * uint32_t(shade) / 255;
    uint32_t g = ((rgb >> 8) & 0xFF) * uint32_t(shade) / 255;
    uint32_t b = (rgb & 0xFF) * uint32_t(shade) / 255;
    return r << 16 | g << 8 | b;
}

uint32_t checkerPixel(int x, int y)
{
    return ((x / 8 + y / 8) % 2) ? 0xFFFFFF : 0x202020;
}

// An odd width, so every row carries padding.
uint32_t stripesPixel(int x, int y)
{
    return (x % 6 < 3) ? 0xC00000 : uint32_t(0x0000C0 + y * 0x000800);
}

void printSummary(const char* name, const MeshContent& mesh)
{
    float low[3], high[3];
    for (int k = 0; k < 3; ++k)
        low[k] = high[k] = mesh.positions[size_t(k)];
    for (size_t v = 0; v < mesh.vertexCount(); ++v) {
        for (int k = 0; k < 3; ++k) {
            float value = mesh.positions[3 * v + size_t(k)];
            low[k] = value < low[k] ? value : low[k];
            high[k] = value > high[k] ? value : high[k];
        }
    }
    std::printf("%s: %u faces, box %.6f %.6f %.6f %.6f %.6f %.6f\n", name, mesh.faceCount(), low[0], low[1],
                low[2], high[0], high[1], high[2]);
}

bool writeMesh(const std::string& folder, const char* name, const MeshContent& mesh, XFileFormat format)
{
    if (!saveXFile((folder + "/" + name).c_str(), mesh, format)) {
        std::fprintf(stderr, "mediagen: cannot write %s/%s\n", folder.c_str(), name);
        return false;
    }
    printSummary(name, mesh);
    return true;
}

bool writeBitmap(const std::string& folder, const char* name, int width, int height, uint32_t (*pixel)(int, int))
{
    if (writeBmp24((folder + "/" + name).c_str(), width, height, pixel))
        return true;
    std::fprintf(stderr, "mediagen: cannot write %s/%s\n", folder.c_str(), name);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--binary") != 0) || argc > 3) {
        std::fprintf(stderr, "usage: mediagen <folder> [--binary]\n");
        return 2;
    }
    std::string folder = argv[1];
    XFileFormat format = argc == 3 ? XFileFormat::Binary : XFileFormat::Text;
    bool ok = writeMesh(folder, "knot.x", makeTorusKnot(kKnotSegments, kKnotSides, true), format)
              && writeMesh(folder, "cube.x", makeCube(), format)
              && writeBitmap(folder, "knot.bmp", 256, 256, knotPixel)
              && writeBitmap(folder, "checker.bmp", 64, 64, checkerPixel)
              && writeBitmap(folder, "stripes.bmp", 37, 23, stripesPixel);
    return ok ? 0 : 1;
}
