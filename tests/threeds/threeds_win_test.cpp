// The Windows side of this folder: the error box itself (the one real box of these suites), the
// trace files in text mode, and the 3DS streams in binary mode.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/diagnostics.h"
#include "threeds/mesh_record.h"

namespace {

TEST(ThreedsWin, ErrorBoxIsOwnerlessWithTheErrorIconAndOk)
{
    DialogAnswerer answerer;
    HWND owner = reinterpret_cast<HWND>(1);
    answerer.runOnNext([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(errorBox("Disk on fire"), IDOK);
    EXPECT_EQ(owner, nullptr);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "Disk on fire");
    EXPECT_EQ(answerer.seen()[0].caption, "Error");
    EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_OK | MB_ICONERROR));
}

// Each line closes its file again: a file left open could not be deleted here.
TEST(ThreedsWin, TraceLinesEndInCarriageReturnAndLineFeed)
{
    DeleteFileA("file.tst");
    logLine("a");
    logLine("b");
    EXPECT_EQ(readFileText("file.tst"), "a\r\nb\r\n");
    EXPECT_TRUE(DeleteFileA("file.tst"));
}

TEST(ThreedsWin, ThreeDsFilesKeepEveryByteThatTextModeWouldChange)
{
    const uint32_t bits = 0x1A0D0A0Au;   // line feed, carriage return, end-of-file mark
    float value;
    std::memcpy(&value, &bits, sizeof value);
    MeshRecord record;
    record.vertices = {{value, value, value}};
    record.texCoords = {{value, value}};
    g_meshRecords.assign(1, record);
    ASSERT_TRUE(g_chunk3dsFile.openForWriting("binary.3ds"));
    g_chunk3dsFile.Write();
    g_chunk3dsFile.closeWriting();
    g_meshRecords.assign(1, MeshRecord{});
    ASSERT_TRUE(g_chunk3dsFile.openForReading("binary.3ds"));
    EXPECT_EQ(g_chunk3dsFile.Read(), 1);
    g_chunk3dsFile.closeReading();
    const MeshRecord& back = g_meshRecords.front();
    ASSERT_EQ(back.vertexCount(), 1u);
    ASSERT_EQ(back.texCoordCount(), 1u);
    EXPECT_EQ(0, std::memcmp(&back.vertices[0], &record.vertices[0], sizeof(Vertex3ds)));
    EXPECT_EQ(0, std::memcmp(&back.texCoords[0], &record.texCoords[0], sizeof(TexCoord3ds)));
    EXPECT_TRUE(DeleteFileA("binary.3ds")) << "the streams are closed";
}

}  // namespace
