// Prints what our reader makes of an X file, for scripts that compare it with other tools:
//   <faces> faces, box <min x y z> <max x y z>
// or the reader's failure, with exit code 1.
#include <algorithm>
#include <cstdio>

#include "graphics/xfile_reader.h"

int main(int argc, char** argv)
{
    MeshContent mesh;
    const XReadStatus status = argc == 2 ? loadXFile(argv[1], mesh) : XReadStatus::NotXFile;
    if (status != XReadStatus::Ok) {
        std::printf("%s\n", argc == 2 ? xReadStatusName(status) : "usage: xfile_info <file.x>");
        return 1;
    }
    float box[2][3] = {{mesh.positions[0], mesh.positions[1], mesh.positions[2]}};
    std::copy(box[0], box[0] + 3, box[1]);
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        box[0][i % 3] = std::min(box[0][i % 3], mesh.positions[i]);
        box[1][i % 3] = std::max(box[1][i % 3], mesh.positions[i]);
    }
    std::printf("%u faces, box %.6f %.6f %.6f %.6f %.6f %.6f\n", mesh.faceCount(), box[0][0], box[0][1], box[0][2],
                box[1][0], box[1][1], box[1][2]);
}
