#pragma once
// Helpers of the X file suites: reading from memory (from a fresh buffer of exactly the file's
// size, so that the sanitizers see any read past its end), text files from a body, and a
// comparison of whole meshes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "graphics/xfile_reader.h"
#include "tests/support/tree_paths.h"

inline std::string xfileSeed(const std::string& name) { return sourcePath("tests/graphics/xfile_seeds/" + name); }

inline XReadStatus readBytes(const std::vector<uint8_t>& bytes, MeshContent& out, size_t size = SIZE_MAX)
{
    size = std::min(size, bytes.size());
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size ? size : 1]);
    if (size)
        std::memcpy(exact.get(), bytes.data(), size);
    return readXFile(exact.get(), size, out);
}

inline XReadStatus readText(const std::string& body, MeshContent& out)
{
    const std::string file = "xof 0302txt 0032\n" + body;
    return readBytes(std::vector<uint8_t>(file.begin(), file.end()), out);
}

inline void expectSameMesh(const MeshContent& a, const MeshContent& b)
{
    EXPECT_EQ(std::tie(a.positions, a.normals, a.texcoords, a.colors, a.indices, a.attributes),
              std::tie(b.positions, b.normals, b.texcoords, b.colors, b.indices, b.attributes));
    auto fields = [](const std::vector<MeshMaterial>& materials) {
        std::vector<std::pair<std::vector<float>, std::string>> all;
        for (const MeshMaterial& m : materials)
            all.push_back({{m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3], m.power, m.specular[0], m.specular[1],
                            m.specular[2], m.emissive[0], m.emissive[1], m.emissive[2]},
                           m.textureFile});
        return all;
    };
    EXPECT_EQ(fields(a.materials), fields(b.materials));
}
