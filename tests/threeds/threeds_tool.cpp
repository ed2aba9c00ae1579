// Command-line access to the 3DS reader and writer for tests/threeds/assimp_check.sh:
//   threeds_tool write <file.3ds> <columns> <rows>   writes a grid mesh with the writer
//   threeds_tool read <file.3ds>                     reads with the reader, prints what it got
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"

namespace {

MeshRecord gridRecord(int columns, int rows)
{
    MeshRecord record;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            record.vertices.push_back({float(i) - 2.5f, 0.5f * float(j), 0.25f * float((i * j) % 7)});
            record.texCoords.push_back({float(i) / float(columns - 1), float(j) / float(rows - 1)});
        }
    }
    for (int j = 0; j + 1 < rows; ++j) {
        for (int i = 0; i + 1 < columns; ++i) {
            const uint32_t corner = uint32_t(j * columns + i);
            const uint32_t right = corner + 1;
            const uint32_t up = corner + uint32_t(columns);
            record.faces.push_back({corner, right, up});
            record.faces.push_back({right, up + 1, up});
        }
    }
    record.materialCount = 1;
    std::strcpy(record.materials[0].textureFileName, "grid.bmp");
    return record;
}

int writeGrid(const char* path, int columns, int rows)
{
    g_meshRecords.assign(1, gridRecord(columns, rows));
    if (!g_chunk3dsFile.openForWriting(path))
        return 1;
    g_chunk3dsFile.Write();
    g_chunk3dsFile.closeWriting();
    return 0;
}

void printBounds(const MeshRecord& record)
{
    float low[3] = {INFINITY, INFINITY, INFINITY};
    float high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (const Vertex3ds& v : record.vertices) {
        const float xyz[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = std::fmin(low[k], xyz[k]);
            high[k] = std::fmax(high[k], xyz[k]);
        }
    }
    std::printf("min %.6f %.6f %.6f\n", low[0], low[1], low[2]);
    std::printf("max %.6f %.6f %.6f\n", high[0], high[1], high[2]);
}

int readFile(const char* path)
{
    g_meshRecords.assign(1, MeshRecord{});
    if (!g_chunk3dsFile.openForReading(path))
        return 1;
    const int result = g_chunk3dsFile.Read();
    g_chunk3dsFile.closeReading();
    const MeshRecord& record = g_meshRecords.front();
    std::printf("result %d\n", result);
    std::printf("vertices %u\n", record.vertexCount());
    std::printf("faces %u\n", record.faceCount());
    std::printf("texcoords %u\n", record.texCoordCount());
    std::printf("materials %u\n", record.materialCount);
    for (uint32_t i = 0; i < record.materialCount; ++i)
        std::printf("material %u '%s' '%s'\n", i, record.materials[i].name,
                    record.materials[i].textureFileName);
    std::printf("material_index %d\n", record.materialIndex);
    std::printf("has_texture %d\n", record.hasTexture ? 1 : 0);
    printBounds(record);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 5)
        return writeGrid(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "read" && argc == 3)
        return readFile(argv[2]);
    std::fprintf(stderr, "usage: %s write <file> <columns> <rows> | read <file>\n", argv[0]);
    return 2;
}
