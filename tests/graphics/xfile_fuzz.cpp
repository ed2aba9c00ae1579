// Fuzz harness for the X file reader. Built with clang and -fsanitize=fuzzer (define
// MAPWELL_LIBFUZZER) it is a libFuzzer target; built otherwise it replays the files and
// folders named on its command line, so the seed and hostile files run as a plain test: each
// file whole and, when it is small, every prefix of it and every single-byte change of two
// kinds.
// Every input the reader accepts must hold together (indices below the vertex count, one
// attribute per triangle, channels sized per vertex) and survive a write and read back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "xfile fuzz: %s\n", what);
        std::abort();
    }
}

void checkConsistent(const MeshContent& mesh)
{
    uint32_t vertices = mesh.vertexCount();
    require(mesh.positions.size() == 3 * size_t(vertices), "positions not in threes");
    require(mesh.normals.empty() || mesh.normals.size() == mesh.positions.size(), "normals not per vertex");
    require(mesh.texcoords.empty() || mesh.texcoords.size() == 2 * size_t(vertices), "texcoords not per vertex");
    require(mesh.colors.empty() || mesh.colors.size() == vertices, "colours not per vertex");
    require(mesh.indices.size() % 3 == 0 && mesh.faceCount() > 0, "no whole triangles");
    require(mesh.attributes.size() == mesh.faceCount(), "not one attribute per triangle");
    for (uint32_t index : mesh.indices)
        require(index < vertices, "index past the vertices");
    for (uint32_t attribute : mesh.attributes)
        require(mesh.materials.empty() ? attribute == 0 : attribute < mesh.materials.size(), "attribute past the materials");
}

void checkRoundTrip(const MeshContent& mesh, XFileFormat format)
{
    std::vector<uint8_t> bytes = writeXFile(mesh, format);
    MeshContent back;
    require(readXFile(bytes.data(), bytes.size(), back) == XReadStatus::Ok, "written file does not read");
    require(back.positions == mesh.positions && back.indices == mesh.indices && back.normals == mesh.normals
                && back.texcoords == mesh.texcoords && back.attributes == mesh.attributes
                && back.materials.size() == mesh.materials.size(),
            "written file reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MeshContent mesh;
    if (readXFile(data, size, mesh) != XReadStatus::Ok) {
        require(mesh.positions.empty() && mesh.indices.empty(), "failed read left content");
        return 0;
    }
    checkConsistent(mesh);
    checkRoundTrip(mesh, XFileFormat::Text);
    checkRoundTrip(mesh, XFileFormat::Binary);
    return 0;
}

#ifndef MAPWELL_LIBFUZZER
namespace {

// Larger files are only replayed whole: their sweeps would take minutes under the sanitizers.
constexpr size_t kMaxSweptSize = 16 * 1024;

// Runs one input from a buffer of exactly its size, so reads past its end are caught.
void runExact(const uint8_t* data, size_t size)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size + 1]);
    std::memcpy(exact.get(), data, size);
    LLVMFuzzerTestOneInput(exact.get(), size);
}

void replayFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    runExact(bytes.data(), bytes.size());
    if (bytes.size() > kMaxSweptSize)
        return;
    for (size_t size = 0; size < bytes.size(); ++size)
        runExact(bytes.data(), size);
    for (size_t at = 0; at < bytes.size(); ++at) {
        uint8_t kept = bytes[at];
        for (uint8_t changed : {uint8_t(kept ^ 0x01), uint8_t(0xFF)}) {
            bytes[at] = changed;
            runExact(bytes.data(), bytes.size());
        }
        bytes[at] = kept;
    }
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                replayFile(entry.path());
                ++replayed;
            }
        } else {
            replayFile(path);
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
#endif
