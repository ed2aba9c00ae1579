// The seeds of every text and binary form read as one mesh, and hostile input: each file of
// xfiles_bad/ fails with the status its name starts with. (The fuzz harness replays them too.)
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/graphics/xfile_test_files.h"
#include "tests/support/test_files.h"
#include "tests/support/tree_paths.h"

namespace {

// make_quad_seeds.py writes one textured quad in each form a text or binary file may hold it.
TEST(XFileSeeds, EveryFormOfTheQuadReadsAsTheTextFileReads)
{
    MeshContent text;
    const std::string folder = sourcePath("tests/graphics/xfile_quads/");
    ASSERT_EQ(loadXFile((folder + "quad_text.x").c_str(), text), XReadStatus::Ok);
    EXPECT_EQ(text.materials.at(0).textureFile, "quad.bmp");
    size_t forms = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        MeshContent form;
        ASSERT_EQ(readBytes(readFileBytes(entry.path().string()), form), XReadStatus::Ok) << name;
        SCOPED_TRACE(name);
        expectSameMesh(text, form);
        ++forms;
    }
    EXPECT_GT(forms, 10u) << "the folder was not found";
}

TEST(XFileBadInput, EveryHostileFileFailsWithTheStatusItsNameStartsWith)
{
    const std::map<std::string, XReadStatus> statuses = {
        {"notxfile", XReadStatus::NotXFile}, {"unsupported", XReadStatus::Unsupported},
        {"truncated", XReadStatus::Truncated}, {"malformed", XReadStatus::Malformed},
        {"badindex", XReadStatus::BadIndex}, {"toodeep", XReadStatus::TooDeep}};
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath("tests/graphics/xfiles_bad"))) {
        const std::string name = entry.path().filename().string();
        const auto expected = statuses.find(name.substr(0, name.find('-')));
        ASSERT_NE(expected, statuses.end()) << name << " does not start with a status";
        MeshContent mesh;
        EXPECT_EQ(readBytes(readFileBytes(entry.path().string()), mesh), expected->second) << name;
        EXPECT_TRUE(mesh.positions.empty() && mesh.indices.empty()) << name;
        ++files;
    }
    EXPECT_GT(files, 50u) << "the folder was not found";
    // A file of nothing but separators ends (it cannot hold the face its mesh announces).
    MeshContent mesh;
    EXPECT_EQ(readText("Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;" + std::string(4u << 20, ';'), mesh),
              XReadStatus::Truncated);
}

} // namespace
