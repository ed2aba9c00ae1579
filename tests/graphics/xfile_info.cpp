// Prints what our reader makes of an X file, for scripts that compare it with other tools:
//   <faces> faces, box <min x y z> <max x y z>
// or the reader's failure, with exit code 1.
#include <cstdio>

#include "graphics/xfile_reader.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xfile_info <file.x>\n");
        return 2;
    }
    MeshContent mesh;
    XReadStatus status = loadXFile(argv[1], mesh);
    if (status != XReadStatus::Ok) {
        std::printf("%s\n", xReadStatusName(status));
        return 1;
    }
    float low[3], high[3];
    for (int k = 0; k < 3; ++k)
        low[k] = high[k] = mesh.positions[size_t(k)];
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        float value = mesh.positions[i];
        low[i % 3] = value < low[i % 3] ? value : low[i % 3];
        high[i % 3] = value > high[i % 3] ? value : high[i % 3];
    }
    std::printf("%u faces, box %.6f %.6f %.6f %.6f %.6f %.6f\n", mesh.faceCount(), low[0], low[1], low[2],
                high[0], high[1], high[2]);
    return 0;
}
