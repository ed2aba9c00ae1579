#include "tests/app/test_media.h"

#include <cstdio>
#include <sstream>

#include "tests/support/bmp_builder.h"

TestMesh squareMesh(const std::string& texture, float u0, float u1, float v0, float v1)
{
    TestMesh mesh;
    mesh.vertices = {{-1, -1, 0, u0, v1}, {-1, 1, 0, u0, v0}, {1, 1, 0, u1, v0}, {1, -1, 0, u1, v1}};
    mesh.corners = {0, 1, 2, 0, 2, 3};
    mesh.textures = {texture};
    return mesh;
}

TestMesh cubeMesh(const std::string& texture)
{
    TestMesh mesh;
    for (int i = 0; i < 8; ++i) {
        const float x = i & 1 ? 1.0f : -1.0f, y = i & 2 ? 1.0f : -1.0f, z = i & 4 ? 1.0f : -1.0f;
        mesh.vertices.push_back({x, y, z, (x + 1) / 4, (y - 3) / 4});
    }
    // Two triangles per side, wound clockwise seen from outside.
    mesh.corners = {0, 2, 3, 0, 3, 1,  4, 5, 7, 4, 7, 6,  0, 4, 6, 0, 6, 2,
                    1, 3, 7, 1, 7, 5,  0, 1, 5, 0, 5, 4,  2, 6, 7, 2, 7, 3};
    mesh.textures = {texture};
    return mesh;
}

void writeXFile(const std::string& name, const TestMesh& mesh)
{
    std::ostringstream x;
    const size_t faces = mesh.corners.size() / 3;
    x << "xof 0303txt 0032\n\nMesh {\n " << mesh.vertices.size() << ";\n";
    for (size_t k = 0; k < mesh.vertices.size(); ++k)
        x << " " << mesh.vertices[k].x << ";" << mesh.vertices[k].y << ";" << mesh.vertices[k].z
          << ";" << (k + 1 < mesh.vertices.size() ? "," : ";") << "\n";
    x << " " << faces << ";\n";
    for (size_t f = 0; f < faces; ++f)
        x << " 3;" << mesh.corners[3 * f] << "," << mesh.corners[3 * f + 1] << ","
          << mesh.corners[3 * f + 2] << ";" << (f + 1 < faces ? "," : ";") << "\n";
    x << " MeshTextureCoords {\n  " << mesh.vertices.size() << ";\n";
    for (size_t k = 0; k < mesh.vertices.size(); ++k)
        x << "  " << mesh.vertices[k].u << ";" << mesh.vertices[k].v << ";"
          << (k + 1 < mesh.vertices.size() ? "," : ";") << "\n";
    x << " }\n MeshMaterialList {\n  " << mesh.textures.size() << ";\n  " << faces << ";\n";
    for (size_t f = 0; f < faces; ++f)
        x << "  " << (mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[f])
          << (f + 1 < faces ? "," : ";") << "\n";
    for (const std::string& texture : mesh.textures) {
        x << "  Material {\n   0.7;0.7;0.7;1.0;;\n   10.0;\n   1.0;1.0;1.0;;\n   0.0;0.0;0.0;;\n";
        if (!texture.empty())
            x << "   TextureFilename {\n    \"" << texture << "\";\n   }\n";
        x << "  }\n";
    }
    x << " }\n}\n";
    writeFile(name, x.str());
}

void writeBitmap(const std::string& name, uint32_t left, uint32_t right)
{
    writeFile(name, buildBmp24(64, 32, [=](int x, int) { return x < 32 ? left : right; }));
}

void writeBitmap(const std::string& name, uint32_t colour)
{
    writeBitmap(name, colour, colour);
}
