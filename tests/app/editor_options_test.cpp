// The Options dialog of the real editor: what it shows, what it stores, and the pane following
// the new repeat counts and line colour.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/dialog_answerer_win.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

struct Shown {
    bool autoUpdate = false;
    int colour = -2;
    std::string horizontal, vertical;
    std::vector<std::string> colourNames;
};

std::string itemText(HWND dialog, int id)
{
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

void typeInto(HWND control, const std::string& text)
{
    for (char c : text)
        SendMessageA(control, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
}

// Opens Options, records what it shows, runs `change` on it and ends it with `button`.
Shown runOptions(const std::function<void(HWND)>& change, int button)
{
    Shown shown;
    DialogAnswerer answerer;
    answerer.runOnNext([&](HWND dialog) {
        shown.autoUpdate = SendDlgItemMessageA(dialog, 1038, BM_GETCHECK, 0, 0) == BST_CHECKED;
        shown.colour = int(SendDlgItemMessageA(dialog, 1040, CB_GETCURSEL, 0, 0));
        shown.horizontal = itemText(dialog, 1041);
        shown.vertical = itemText(dialog, 1042);
        const int count = int(SendDlgItemMessageA(dialog, 1040, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[32] = {};
            SendDlgItemMessageA(dialog, 1040, CB_GETLBTEXT, WPARAM(i), LPARAM(name));
            shown.colourNames.push_back(name);
        }
        change(dialog);
        SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
    });
    editor().menuCommand(40053);
    EXPECT_EQ(answerer.seen().size(), 1u);
    return shown;
}

void setText(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
}

class EditorOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor();
        g_autoUpdateMesh = false;
        g_lineColorIndex = 2;
        g_repeatHorizontal = 4;
        g_repeatVertical = 5;
    }
    // The editor lives for the whole suite, so only the pane's settings start again.
    void TearDown() override { resetViewerSettings(); }
};

TEST_F(EditorOptions, ShowsTheCurrentValuesAndOkWithoutChangesKeepsThem)
{
    g_autoUpdateMesh = true;
    const Shown shown = runOptions([](HWND) {}, IDOK);
    EXPECT_TRUE(shown.autoUpdate);
    EXPECT_EQ(shown.colour, 2);
    EXPECT_EQ(shown.horizontal, "4");
    EXPECT_EQ(shown.vertical, "5");
    EXPECT_EQ(shown.colourNames, (std::vector<std::string>{"Black", "Red", "Green", "Blue"}));
    EXPECT_TRUE(g_autoUpdateMesh);
    EXPECT_EQ(g_lineColorIndex, 2);
    EXPECT_EQ(g_repeatHorizontal, 4);
    EXPECT_EQ(g_repeatVertical, 5);
}

TEST_F(EditorOptions, OkStoresTheNumbersAsAtoiReadsThem)
{
    const std::pair<const char*, int> cases[] = {
        {"3", 3}, {"  -7xyz", -7}, {"abc", 0}, {"+12", 12}, {"", 0}, {"0042", 42}};
    for (const auto& c : cases) {
        runOptions([&](HWND dialog) {
            setText(dialog, 1041, c.first);
            setText(dialog, 1042, c.first);
            SendDlgItemMessageA(dialog, 1040, CB_SETCURSEL, 3, 0);
        }, IDOK);
        EXPECT_EQ(g_repeatHorizontal, c.second) << c.first;
        EXPECT_EQ(g_repeatVertical, c.second) << c.first;
        EXPECT_EQ(g_lineColorIndex, 3);
    }
}

TEST_F(EditorOptions, ATypedColourStoresMinusOne)
{
    runOptions([](HWND dialog) {
        HWND field = GetWindow(GetDlgItem(dialog, 1040), GW_CHILD);
        ASSERT_NE(field, nullptr);
        typeInto(field, "Purple");
    }, IDOK);
    EXPECT_EQ(g_lineColorIndex, -1);
}

TEST_F(EditorOptions, CancelKeepsTheValuesButTheCheckBoxActsAtOnce)
{
    runOptions([](HWND dialog) {
        SendDlgItemMessageA(dialog, 1038, BM_CLICK, 0, 0);
        setText(dialog, 1041, "9");
        SendDlgItemMessageA(dialog, 1040, CB_SETCURSEL, 1, 0);
    }, IDCANCEL);
    EXPECT_TRUE(g_autoUpdateMesh);
    EXPECT_EQ(g_repeatHorizontal, 4);
    EXPECT_EQ(g_lineColorIndex, 2);

    runOptions([](HWND dialog) { SendDlgItemMessageA(dialog, 1038, BM_CLICK, 0, 0); }, IDCANCEL);
    EXPECT_FALSE(g_autoUpdateMesh);
}

// Counts below the toolbar, whose button images sit over the 30 rows above the first tile.
int countColour(const Capture& capture, uint32_t colour)
{
    const int firstTileRow = 30;
    return capture.count(colour, 0, firstTileRow, capture.width, capture.height);
}

TEST_F(EditorOptions, ThePaneFollowsTheRepeatCountsAndTheLineColour)
{
    const uint32_t olive = 0x808000;
    writeBmp("olive.bmp", 48, 40, [=](int, int) { return olive; });
    writeXFile("square_olive.x", squareMesh("olive.bmp", 0.2f, 0.8f, -0.8f, -0.2f));
    ASSERT_TRUE(editor().openFile("square_olive.x").empty());

    runOptions([](HWND dialog) {
        setText(dialog, 1041, "1");
        setText(dialog, 1042, "1");
        SendDlgItemMessageA(dialog, 1040, CB_SETCURSEL, 0, 0);
    }, IDOK);
    const Capture single = captureClient(editor().paneWindow());
    runOptions([](HWND dialog) {
        setText(dialog, 1041, "3");
        setText(dialog, 1042, "1");
        SendDlgItemMessageA(dialog, 1040, CB_SETCURSEL, 1, 0);
    }, IDOK);
    const Capture three = captureClient(editor().paneWindow());

    const int oliveOne = countColour(single, olive), oliveThree = countColour(three, olive);
    ASSERT_GT(oliveOne, 0);
    EXPECT_GT(oliveThree, oliveOne * 5 / 2);
    EXPECT_LT(oliveThree, oliveOne * 7 / 2);
    EXPECT_EQ(countColour(single, 0xFF0000), 0);
    EXPECT_GT(countColour(three, 0xFF0000), 0);
}

} // namespace
