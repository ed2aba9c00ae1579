// The Windows side of this folder: the error box itself (the one real box of these suites), the
// trace files in text mode and the 3DS streams in binary mode, each closed after use.
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
    EXPECT_EQ(answerer.seen()[0].text + " / " + answerer.seen()[0].caption + " / " + std::to_string(answerer.seen()[0].style),
              "Disk on fire / Error / " + std::to_string(MB_OK | MB_ICONERROR));
}

// Trace lines end in a carriage return and a line feed; a float whose bytes hold a line feed, a
// carriage return and an end-of-file mark comes back from a 3DS file whole.
TEST(ThreedsWin, TraceFilesAreTextAndThreeDsFilesBinaryEachClosedAfterUse)
{
    DeleteFileA("file.tst");
    logLine("a");
    logLine("b");
    EXPECT_EQ(readFileText("file.tst"), "a\r\nb\r\n");
    const uint32_t bits[3] = {0x1A0D0A0Au, 0x1A0D0A0Au, 0x1A0D0A0Au};
    g_meshRecords.assign(1, MeshRecord{});
    std::memcpy(&g_meshRecords.front().vertices.emplace_back(), bits, sizeof bits);
    ASSERT_TRUE(g_chunk3dsFile.openForWriting("binary.3ds"));
    g_chunk3dsFile.Write();
    g_chunk3dsFile.closeWriting();
    g_meshRecords.assign(1, MeshRecord{});
    ASSERT_TRUE(g_chunk3dsFile.openForReading("binary.3ds"));
    EXPECT_EQ(g_chunk3dsFile.Read(), 1);
    g_chunk3dsFile.closeReading();
    ASSERT_EQ(g_meshRecords.front().vertexCount(), 1u);
    EXPECT_EQ(0, std::memcmp(g_meshRecords.front().vertices.data(), bits, sizeof bits));
    EXPECT_TRUE(DeleteFileA("file.tst") && DeleteFileA("binary.3ds")) << "a file left open cannot be deleted";
}

}  // namespace
