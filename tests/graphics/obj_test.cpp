// OBJ and MTL reading and writing: the corner rules, the faults and their lines, the runs of
// objects, groups and materials, and write-then-read. (Truncated and hostile files: the fuzz
// harness replays its seeds.)
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

ObjReadResult readText(const std::string& text, ObjMesh& mesh)
{
    return readObj(text.data(), text.size(), mesh);
}

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";

TEST(ObjReader, ReadsCornersIndicesAndFaults)
{
    struct Case {
        std::string faces;
        ObjReadStatus status;
        uint32_t line;        // of the fault
        uint32_t vertices;    // distinct corners when Ok
        uint32_t triangles;
    };
    const Case cases[] = {
        {"f 1 2 3\n", ObjReadStatus::Ok, 0, 3, 1},
        {"f 1/1 2/2 3/3 4/4\n", ObjReadStatus::Ok, 0, 4, 2},          // a quad as a fan
        {"f -4/-4 -3/-3 -2/-2 -1/-1\n", ObjReadStatus::Ok, 0, 4, 2},  // counted from the end
        {"f 1/1 2/2 3/3\nf 1/4 3/3 4/4\n", ObjReadStatus::Ok, 0, 5, 2},  // 1 twice: two vertices
        {"f 1/1 2/2 3/3\r\nf 1/1 3/3 4/4 # shared corners\r\n", ObjReadStatus::Ok, 0, 4, 2},
        {"f\t1 2 3 4 1 2\n", ObjReadStatus::Ok, 0, 4, 4},
        {"f 1/ 2/ 3/\n", ObjReadStatus::Ok, 0, 3, 1},
        {"f 1 2 0\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1 2 5\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1 2 -5\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1/9 2 3\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1//1 2//1 3//1\n", ObjReadStatus::BadIndex, 9, 0, 0},   // no normals read
        {"f /1 2 3\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1 2 99999999999\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1 2 3x\n", ObjReadStatus::BadIndex, 9, 0, 0},
        {"f 1 2\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"f 1/1/1/1 2 3\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"v nan 0 0\nf 1 2 3\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"v 1e999 0 0\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"v 1 2\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"vn 1 0 zero\n", ObjReadStatus::Malformed, 9, 0, 0},
        {"l 1 2\np 1\n", ObjReadStatus::NoFaces, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ObjMesh mesh;
        const ObjReadResult result = readText(kSquare + c.faces, mesh);
        EXPECT_EQ(result.status, c.status) << c.faces;
        EXPECT_EQ(result.line, c.line) << c.faces;
        EXPECT_EQ(mesh.mesh.vertexCount(), c.vertices) << c.faces;
        EXPECT_EQ(mesh.mesh.faceCount(), c.triangles) << c.faces;
        EXPECT_EQ(objReadMessage(result).empty(), c.status == ObjReadStatus::Ok) << c.faces;
    }
}

TEST(ObjReader, KeepsCoordinatesNormalsRunsAndMaterials)
{
    const std::string text = std::string("mtllib my lib.mtl\n") + kSquare +
                             "vn 0 0.6 0.8\nvt 0.25 0.75\n"
                             "o Body\ng front\nusemtl red\nf 1/1/1 2/2/1 3/3/1\n"
                             "g back\nusemtl blue\nf 1/5/1 3/3/1 4/4/1\nusemtl red\nf 4/4/1 3/3/1 2/2/1\n";
    ObjMesh obj;
    ASSERT_EQ(readText(text, obj).status, ObjReadStatus::Ok);
    const MeshContent& mesh = obj.mesh;
    EXPECT_EQ(obj.materialLibrary, "my lib.mtl");
    EXPECT_EQ(obj.materialNames, (std::vector<std::string>{"red", "blue"}));
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{0, 1, 0}));
    ASSERT_EQ(obj.runs.size(), 2u);
    EXPECT_EQ(std::to_string(obj.runs[1].firstFace) + obj.runs[1].object + "/" + obj.runs[1].group, "1Body/back");
    ASSERT_EQ(mesh.vertexCount(), 5u);
    ASSERT_EQ(mesh.normals.size(), 15u);
    // Direct3D's left-handed space: the winding reversed, z negated; v runs down the image: the
    // file's (0.25, 0.75) is (0.25, 0.25).
    EXPECT_EQ((std::vector<float>{float(mesh.indices[1]), float(mesh.indices[2]), mesh.normals[2], mesh.texcoords[6],
                                  mesh.texcoords[7]}),
              (std::vector<float>{2, 1, -0.8f, 0.25f, 0.25f}));

    const char mtl[] = "newmtl blue\nKd 0 0 1\nmap_Kd -s 1 1 1 -clamp on my texture.png\n"
                       "newmtl unused\nKd 1 1 0\nnewmtl red\nKd 0.5\nd 0.25\n";
    applyMtl(mtl, sizeof(mtl) - 1, obj);
    const MeshMaterial &red = obj.mesh.materials[0], &blue = obj.mesh.materials[1];
    EXPECT_EQ(blue.textureFile + "|" + red.textureFile, "my texture.png|");
    EXPECT_EQ((std::vector<float>{blue.diffuse[2], red.diffuse[1], red.diffuse[3]}), (std::vector<float>{1, 0.5f, 0.25f}));
}

// A knot with groups and two materials, written and read back: the same runs and materials, each
// repeated position written once.
TEST(ObjWriter, WrittenFilesReadBackAlike)
{
    ObjMesh obj;
    obj.mesh = makeTorusKnot(24, 8, true);
    for (size_t f = 0; f < obj.mesh.attributes.size(); ++f)
        obj.mesh.attributes[f] = f % 7 == 3 ? 1 : 0;
    obj.mesh.materials.resize(2);
    obj.mesh.materials[1].textureFile = "spots.png";
    obj.materialNames = {"skin", "spots"};
    obj.materialLibrary = "knot.mtl";
    obj.runs = {{0, "knot", ""}, {100, "knot", "tail"}};
    const std::string text = writeObj(obj), mtl = writeMtl(obj);
    ObjMesh back;
    ASSERT_EQ(readText(text, back).status, ObjReadStatus::Ok);
    applyMtl(mtl.data(), mtl.size(), back);
    EXPECT_EQ(std::tie(back.materialLibrary, back.materialNames, back.mesh.attributes, back.mesh.materials[1].textureFile),
              std::tie(obj.materialLibrary, obj.materialNames, obj.mesh.attributes, obj.mesh.materials[1].textureFile));
    ASSERT_EQ(back.runs.size(), 2u);
    EXPECT_EQ(std::to_string(back.runs[1].firstFace) + back.runs[1].group, "100tail");
    // Every corner comes back with its position and texture coordinates.
    ASSERT_EQ(back.mesh.indices.size(), obj.mesh.indices.size());
    for (size_t c = 0; c < obj.mesh.indices.size(); ++c) {
        const uint32_t v = obj.mesh.indices[c], w = back.mesh.indices[c];
        for (uint32_t k = 0; k < 5; ++k)
            ASSERT_NEAR(k < 3 ? obj.mesh.positions[3 * v + k] : obj.mesh.texcoords[2 * v + k - 3],
                        k < 3 ? back.mesh.positions[3 * w + k] : back.mesh.texcoords[2 * w + k - 3], 1e-6f) << c;
    }
    // Seam copies share their positions: (24 + 1) * (8 + 1) vertices, 24 * 8 position lines.
    size_t positionLines = 0;
    for (size_t at = text.find("\nv "); at != std::string::npos; at = text.find("\nv ", at + 1))
        ++positionLines;
    EXPECT_EQ(positionLines, 24u * 8u);
}

TEST(ObjReader, HoldsAtMostTheLimitOfVertices)
{
    for (uint32_t count : {kObjMaxVertices, kObjMaxVertices + 1}) {
        std::string text = "v 0 0 0\n";
        for (uint32_t t = 0; t < count; ++t)
            text += "vt " + std::to_string(t) + " 0\n";
        // Corners (1, t) for every t: `count` distinct vertices on one position.
        for (uint32_t t = 0; t < count; t += 3) {
            text += "f";
            for (uint32_t k = t; k < t + 3; ++k)
                text += " 1/" + std::to_string(k % count + 1);
            text += "\n";
        }
        ObjMesh mesh;
        const ObjReadResult result = readText(text, mesh);
        EXPECT_EQ(result.status, count <= kObjMaxVertices ? ObjReadStatus::Ok
                                                          : ObjReadStatus::TooManyVertices);
        EXPECT_EQ(result.vertexCount, count);
    }
}

// Random corners on one, a few and many positions (one position crowded with 200 texture
// coordinates among them): each distinct pair is one vertex holding that pair's values.
TEST(ObjReader, OneVertexPerDistinctCorner)
{
    std::mt19937 random(5);
    for (int positions : {1, 7, 300}) {
        std::string text;
        for (int p = 1; p <= positions; ++p)
            text += "v " + std::to_string(p) + " 0 0\n";
        for (int t = 1; t <= 200; ++t)
            text += "vt 0 " + std::to_string(t) + "\n";
        std::vector<std::pair<int, int>> corners(1200);
        for (size_t c = 0; c < corners.size(); ++c) {
            corners[c] = {int(random() % positions) + 1, int(random() % 200) + 1};
            text += (c % 3 ? " " : "\nf ") + std::to_string(corners[c].first) + "/" +
                    std::to_string(corners[c].second);
        }
        ObjMesh obj;
        ASSERT_EQ(readText(text + "\n", obj).status, ObjReadStatus::Ok);
        const MeshContent& mesh = obj.mesh;
        const std::set<std::pair<int, int>> distinct(corners.begin(), corners.end());
        EXPECT_EQ(mesh.vertexCount(), distinct.size());
        for (size_t c = 0; c < corners.size(); ++c) {
            const uint32_t v = mesh.indices[c - c % 3 + (3 - c % 3) % 3];   // the winding reversed
            ASSERT_EQ(mesh.positions[3 * v], float(corners[c].first)) << positions << " " << c;
            ASSERT_EQ(mesh.texcoords[2 * v + 1], 1.0f - float(corners[c].second)) << positions << " " << c;
        }
    }
}

} // namespace
