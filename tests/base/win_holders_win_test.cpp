// The Windows holders on the real system: objects deleted, selections undone, handles closed,
// paints ended.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/device_context_win.h"
#include "base/file_handle_win.h"
#include "base/gdi_object_win.h"
#include "base/global_block_win.h"
#include "base/selected_object_win.h"

namespace {

TEST(WinHolders, GdiObjectsDcsAndSelectionsAreGivenBackAtTheEndOfTheirScope)
{
    HPEN pen = nullptr;
    HDC dc = nullptr;
    MemoryDc kept(nullptr);
    const HGDIOBJ before = GetCurrentObject(kept, OBJ_PEN);
    {
        GdiObject<HPEN> held(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        MemoryDc memory(nullptr);
        pen = held;
        dc = memory;
        ASSERT_EQ(GetObjectType(pen) * 100 + GetObjectType(dc), DWORD(OBJ_PEN * 100 + OBJ_MEMDC));
        SelectedObject selection(kept, pen);
        SelectedObject none(kept, nullptr);
        EXPECT_EQ(GetCurrentObject(kept, OBJ_PEN), HGDIOBJ(pen)) << "a null object selects nothing";
    }
    EXPECT_EQ(GetCurrentObject(kept, OBJ_PEN), before);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);

    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(4, 5, 6)));
    HBRUSH detached = brush.detach();
    brush.reset();
    EXPECT_EQ(GetObjectType(detached), DWORD(OBJ_BRUSH)) << "a detached object stays";
    DeleteObject(detached);
}

// BeginPaint lends the window a DC until EndPaint: a paint that never ended would leave it lent,
// and the next paint would get another.
TEST(WinHolders, EachPaintEndsSoTheNextPaintGetsTheSameDc)
{
    static std::vector<HDC> painted;
    HWND window = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(+[](HWND w, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message != WM_PAINT)
            return DefWindowProcA(w, message, wParam, lParam);
        PaintDc dc(w);
        painted.push_back(dc);
        return 0;
    }));
    for (int i = 0; i < 3; ++i) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    DestroyWindow(window);
    ASSERT_EQ(painted.size(), 3u);
    EXPECT_EQ(painted[1], painted[0]);
    EXPECT_EQ(painted[2], painted[0]);
}

TEST(WinHolders, FilesAndGlobalBlocksAreGivenBackAtTheEndOfTheirScope)
{
    HGLOBAL memory = nullptr;
    {
        FileHandle file(CreateFileA("held.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.valid());
        EXPECT_FALSE(DeleteFileA("held.bin")) << "the open handle shares nothing";
        GlobalBlock block(GlobalAlloc(GHND, 16));
        memory = block.get();
        EXPECT_EQ(GlobalFlags(memory), 0u);
    }
    EXPECT_TRUE(DeleteFileA("held.bin"));
    EXPECT_EQ(GlobalFlags(memory), UINT(GMEM_INVALID_HANDLE)) << "the block was freed";
    EXPECT_TRUE(FileHandle(INVALID_HANDLE_VALUE).close());
}

} // namespace
