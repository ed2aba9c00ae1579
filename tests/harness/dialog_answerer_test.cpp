// The helpers every Windows suite leans on must themselves be right: a box left unanswered
// would hang a suite, a wrong recording would make other tests pass for the wrong reason.
#include "tests/support/dialog_answerer_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <fstream>

TEST(DialogAnswerer, AnswersMessageBoxesAndRecordsTextCaptionAndStyle)
{
    DialogAnswerer answerer;
    answerer.pressOnNextBox(IDNO);
    int first = MessageBoxA(nullptr, "first\nline two", "Caption A", MB_YESNO | MB_ICONWARNING);
    int second = MessageBoxA(nullptr, "second", "Error", MB_ICONERROR);

    EXPECT_EQ(first, IDNO);
    EXPECT_EQ(second, IDOK);
    ASSERT_EQ(answerer.seen().size(), 2u);
    EXPECT_EQ(answerer.seen()[0].text, "first\nline two");
    EXPECT_EQ(answerer.seen()[0].caption, "Caption A");
    EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(answerer.seen()[1].style, unsigned(MB_ICONERROR));
    EXPECT_EQ(answerer.boxTexts(), (std::vector<std::string>{"first\nline two", "second"}));
}

TEST(DialogAnswerer, RecordOnlyAnswersEveryBoxWithoutShowingIt)
{
    DialogAnswerer answerer(DialogAnswerer::Boxes::RecordOnly);
    EXPECT_EQ(MessageBoxA(nullptr, "quiet", "Caption B", MB_ICONERROR), IDOK);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "quiet");
    EXPECT_EQ(answerer.seen()[0].caption, "Caption B");
    EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_ICONERROR));
}

TEST(DialogAnswerer, TypesAFileNameIntoTheOpenDialog)
{
    std::ofstream("picked.bmp") << "x";
    char path[512] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Bitmaps\0*.bmp\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_FILEMUSTEXIST;

    DialogAnswerer answerer;
    answerer.typeFileName("picked.bmp");
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    std::string chosen = path;
    EXPECT_EQ(chosen.substr(chosen.size() - 10), "picked.bmp");

    answerer.cancelNext();
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(answerer.seen().size(), 2u);
}

TEST(DialogAnswerer, CancelsUnexpectedDialogsInsteadOfHanging)
{
    char path[512] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    DialogAnswerer answerer;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_TRUE(answerer.seen()[0].text.empty());
}
