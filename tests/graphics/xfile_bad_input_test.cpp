// Hostile and broken X files: each file of xfiles_bad/ fails with its own status, every prefix
// of good files fails cleanly (or, once the last object is complete, reads the same mesh).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/graphics/xfile_test_files.h"
#include "tests/support/test_files.h"
#include "tests/support/tree_paths.h"

namespace {

const std::map<std::string, XReadStatus> kBadFiles = {
    {"not_xfile.x", XReadStatus::NotXFile},
    {"header_cut.x", XReadStatus::Truncated},
    {"bad_version.x", XReadStatus::Unsupported},
    {"compressed_mszip.x", XReadStatus::Unsupported},
    {"bad_float_size.x", XReadStatus::Unsupported},
    {"text_no_mesh.x", XReadStatus::Malformed},
    {"text_index_past_vertices.x", XReadStatus::BadIndex},
    {"text_count_exceeds_file.x", XReadStatus::Truncated},
    {"text_face_count_exceeds_file.x", XReadStatus::Truncated},
    {"text_corner_count_exceeds_file.x", XReadStatus::Truncated},
    {"text_face_two_corners.x", XReadStatus::Malformed},
    {"text_nan_position.x", XReadStatus::Malformed},
    {"text_msvc_nan_position.x", XReadStatus::Malformed},
    {"text_huge_float.x", XReadStatus::Malformed},
    {"text_negative_count.x", XReadStatus::Malformed},
    {"text_fractional_index.x", XReadStatus::Malformed},
    {"text_deep_frames.x", XReadStatus::TooDeep},
    {"text_deep_braces.x", XReadStatus::TooDeep},
    {"text_endless_template.x", XReadStatus::Truncated},
    {"text_unterminated_string.x", XReadStatus::Truncated},
    {"text_unterminated_guid.x", XReadStatus::Truncated},
    {"text_normal_faces_mismatch.x", XReadStatus::Malformed},
    {"text_normal_index_past_list.x", XReadStatus::BadIndex},
    {"text_material_index_past_list.x", XReadStatus::BadIndex},
    {"text_unknown_material_reference.x", XReadStatus::Malformed},
    {"text_texcoord_count_wrong.x", XReadStatus::Malformed},
    {"text_color_index_past_vertices.x", XReadStatus::BadIndex},
    {"text_decl_data_wrong_size.x", XReadStatus::Malformed},
    {"text_decl_data_too_many_elements.x", XReadStatus::Unsupported},
    {"text_stray_close_brace.x", XReadStatus::Malformed},
    {"text_matrix_overflow.x", XReadStatus::Malformed},
    {"text_mesh_cut_short.x", XReadStatus::Truncated},
    {"bin_unknown_token.x", XReadStatus::Malformed},
    {"bin_list_count_exceeds_file.x", XReadStatus::Truncated},
    {"bin_name_count_exceeds_file.x", XReadStatus::Truncated},
    {"bin_string_count_exceeds_file.x", XReadStatus::Truncated},
    {"bin_nan_float.x", XReadStatus::Malformed},
    {"bin_infinite_float.x", XReadStatus::Malformed},
    {"bin_double_too_large.x", XReadStatus::Malformed},
    {"bin_index_past_vertices.x", XReadStatus::BadIndex},
    {"bin_vertex_count_exceeds_file.x", XReadStatus::Truncated},
    {"bin_many_empty_lists.x", XReadStatus::Truncated},
    {"bin_deep_frames.x", XReadStatus::TooDeep},
    {"bin_truncated_float_list.x", XReadStatus::Truncated},
    {"bin_fvf_too_many_texcoord_sets.x", XReadStatus::Malformed},
    {"bin_half_token.x", XReadStatus::Truncated},
    {"bin_close_before_open.x", XReadStatus::Malformed},
};

std::string badFolder()
{
    return sourcePath("tests/graphics/xfiles_bad");
}

TEST(XFileBadInput, EveryHostileFileFailsWithItsStatus)
{
    std::set<std::string> seen;
    for (const auto& entry : std::filesystem::directory_iterator(badFolder())) {
        std::string name = entry.path().filename().string();
        seen.insert(name);
        auto expected = kBadFiles.find(name);
        ASSERT_NE(expected, kBadFiles.end()) << name << " has no expected status here";
        MeshContent mesh;
        EXPECT_EQ(readBytes(readFileBytes(entry.path().string()), mesh), expected->second)
            << name << ": " << xReadStatusName(expected->second);
        EXPECT_TRUE(mesh.positions.empty() && mesh.indices.empty()) << name;
    }
    EXPECT_EQ(seen.size(), kBadFiles.size()) << "files missing from " << badFolder();
}

// Every prefix is read in a buffer of its own size. A prefix that still holds the whole last
// object (only trailing blanks cut) must give the full mesh; any other must fail cleanly.
void sweepPrefixes(const std::vector<uint8_t>& file, size_t lastObjectEnd)
{
    MeshContent full;
    ASSERT_EQ(readBytes(file, full), XReadStatus::Ok);
    for (size_t size = 0; size < file.size(); ++size) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + long(size));
        MeshContent mesh;
        XReadStatus status = readBytes(prefix, mesh);
        if (size >= lastObjectEnd) {
            ASSERT_EQ(status, XReadStatus::Ok) << size;
            ASSERT_EQ(mesh.positions, full.positions) << size;
        } else {
            ASSERT_NE(status, XReadStatus::Ok) << "prefix of " << size << " bytes";
            ASSERT_TRUE(mesh.positions.empty()) << size;
        }
    }
}

MeshContent smallKnotWithColors()
{
    MeshContent mesh = makeTorusKnot(4, 3);
    mesh.colors.assign(mesh.vertexCount(), 0xFF336699u);
    return mesh;
}

TEST(XFileBadInput, EveryPrefixOfAGoodTextFileFailsCleanly)
{
    std::vector<uint8_t> file = writeXFile(smallKnotWithColors(), XFileFormat::Text);
    std::string text(file.begin(), file.end());
    sweepPrefixes(file, text.rfind('}') + 1);
}

TEST(XFileBadInput, EveryPrefixOfAGoodBinaryFileFailsCleanly)
{
    std::vector<uint8_t> file = writeXFile(smallKnotWithColors(), XFileFormat::Binary);
    sweepPrefixes(file, file.size());
}

TEST(XFileBadInput, BinaryListsMustFitInTheFile)
{
    // A float list of nine floats holding nine reads; one claiming ten fails before any
    // element is read.
    for (uint32_t claimed : {9u, 10u}) {
        XBinaryBuilder b;
        b.open("Mesh").integers({3}).token(xbin::FloatList).u32(claimed);
        for (float value : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) {
            uint32_t bits;
            std::memcpy(&bits, &value, 4);
            b.u32(bits);
        }
        if (claimed == 9)
            b.integers({1, 3, 0, 1, 2}).close();
        MeshContent mesh;
        EXPECT_EQ(readBytes(b.bytes(), mesh), claimed == 9 ? XReadStatus::Ok : XReadStatus::Truncated);
    }
}

TEST(XFileBadInput, ALargeFileOfNothingButSeparatorsEndsQuickly)
{
    std::string body = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;" + std::string(4u << 20, ';');
    MeshContent mesh;
    EXPECT_EQ(readText(body, mesh), XReadStatus::Truncated);
}

} // namespace
