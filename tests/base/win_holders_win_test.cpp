// The Windows holders on the real system: objects deleted, selections undone, handles closed.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/device_context_win.h"
#include "base/file_handle_win.h"
#include "base/gdi_object_win.h"
#include "base/global_block_win.h"
#include "base/selected_object_win.h"

namespace {

TEST(WinHolders, GdiObjectsAndMemoryDcsAreDeletedAtTheEndOfTheirScope)
{
    HPEN pen = nullptr;
    HDC dc = nullptr;
    {
        GdiObject<HPEN> held(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        MemoryDc memory(nullptr);
        pen = held;
        dc = memory;
        EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
        EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);

    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(4, 5, 6)));
    HBRUSH kept = brush.detach();
    brush.reset();
    EXPECT_EQ(GetObjectType(kept), DWORD(OBJ_BRUSH)) << "a detached object stays";
    DeleteObject(kept);
}

TEST(WinHolders, SelectionIsUndoneAtTheEndOfItsScope)
{
    MemoryDc dc(nullptr);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_PEN);
    {
        SelectedObject selection(dc, pen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), HGDIOBJ(pen));
        SelectedObject none(dc, nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), HGDIOBJ(pen)) << "a null object selects nothing";
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), before);
}

TEST(WinHolders, FilesAndGlobalBlocksAreGivenBackAtTheEndOfTheirScope)
{
    HGLOBAL memory = nullptr;
    {
        FileHandle file(CreateFileA("held.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.valid());
        EXPECT_FALSE(DeleteFileA("held.bin")) << "the open handle shares nothing";
        GlobalBlock block(GlobalAlloc(GHND, 16));
        memory = block.get();
        EXPECT_EQ(GlobalSize(memory), 16u);
    }
    EXPECT_TRUE(DeleteFileA("held.bin"));
    EXPECT_EQ(GlobalSize(memory), 0u) << "the block was freed";
    EXPECT_TRUE(FileHandle(INVALID_HANDLE_VALUE).close());
}

} // namespace
