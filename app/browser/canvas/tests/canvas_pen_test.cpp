// The pen on a real canvas: layouts of large and small pictures, strokes
// and single tips on the view and the full-size copy, undo and redo over
// the five slots, and the owner's modified notice.
#include "CanvasTestSupport.h"
#include "WholeFile.h"

using namespace canvastest;
using namespace vimbrel::canvas;

namespace {

class CanvasPenTest : public CanvasWindowTest {};

TEST_F(CanvasPenTest, LargePictureFitsAtScaleTwoAndTipsGrowWithIt) {
    Edit(WritePng(scratch_, L"large.png", 1280, 960, 0xFFFFFFFF));
    EXPECT_EQ(canvas_->Layout().kind, LayoutKind::ExactFit);
    EXPECT_FLOAT_EQ(canvas_->Layout().scale, 2.0f);
    ASSERT_EQ(canvas_->FullSizePicture().Width(), 1280);
    ASSERT_EQ(canvas_->FullSizePicture().Height(), 960);

    canvas_->SetPenWidth(4.0f);
    EXPECT_FLOAT_EQ(canvas_->FullSizePenWidth(), 8.0f);
    // A click at (100, 100): an 8-pixel circle from 196 on the full-size
    // picture (mapped 200 - 4 + 0.5), a 4-pixel one from 98 on the view.
    Click(100, 100);
    EXPECT_EQ(Full(200, 200), kBlack);
    EXPECT_EQ(Full(197, 200), kBlack);
    EXPECT_EQ(Full(202, 200), kBlack);
    EXPECT_EQ(Full(194, 200), kWhite);
    EXPECT_EQ(Full(206, 200), kWhite);
    // A circle leaves the corners of its box clear.
    EXPECT_EQ(Full(196, 196), kWhite);
    EXPECT_EQ(Full(203, 203), kWhite);
    EXPECT_EQ(View(100, 100), kBlack);
    EXPECT_EQ(View(95, 100), kWhite);
    EXPECT_EQ(View(105, 100), kWhite);
}

TEST_F(CanvasPenTest, NarrowPensDrawSquares) {
    Edit(WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF));
    // Width 2: corner 50 - 1 + 0.5 -> 49 on the full-size picture at (30, 20)
    // mapped from (190, 140) on the view.
    canvas_->SetPenWidth(2.0f);
    Click(190, 140);
    const CanvasPoint p = MapToPicture(canvas_->Layout(), {190, 140});
    ASSERT_EQ(p, (CanvasPoint{30, 20}));
    EXPECT_EQ(Full(29, 19), kBlack);
    EXPECT_EQ(Full(30, 20), kBlack);
    EXPECT_EQ(Full(29, 20), kBlack);
    EXPECT_EQ(Full(28, 19), kWhite);
    EXPECT_EQ(Full(31, 19), kWhite);
    EXPECT_EQ(Full(29, 21), kWhite);
    EXPECT_EQ(Full(29, 18), kWhite);
}

TEST_F(CanvasPenTest, SmallPictureIsCentredWithBlackBordersAndStrokesFollowTheMouse) {
    Edit(WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF));
    EXPECT_EQ(canvas_->Layout().kind, LayoutKind::AllRound);
    EXPECT_EQ(canvas_->Layout().view, (CanvasRect{160, 120, 320, 240}));
    EXPECT_EQ(View(100, 100), kBlack);
    EXPECT_EQ(View(300, 200), kWhite);

    canvas_->SetPenWidth(1.0f);
    Press(170, 130);
    Move(180, 130);
    Move(180, 135);
    Release(180, 135);
    // (10, 10) to (20, 10), then down to (20, 15) on the full-size picture.
    for (int x = 10; x <= 20; ++x) EXPECT_EQ(Full(x, 10), kBlack) << x;
    for (int y = 10; y <= 15; ++y) EXPECT_EQ(Full(20, y), kBlack) << y;
    EXPECT_EQ(Full(9, 10), kWhite);
    EXPECT_EQ(Full(15, 11), kWhite);
    EXPECT_EQ(Full(20, 16), kWhite);
    EXPECT_EQ(View(175, 130), kBlack);

    // One notice for the first edit, none for the next.
    EXPECT_EQ(canvas_->IsModified(), 1);
    EXPECT_EQ(TakeModifiedNotices(), 1);
    Click(200, 200);
    EXPECT_EQ(TakeModifiedNotices(), 0);
}

TEST_F(CanvasPenTest, StrokesOverTheBordersLeaveThemBlack) {
    Edit(WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF));
    canvas_->SetPenColor(RGB(255, 0, 0));
    canvas_->SetPenWidth(8.0f);
    // Only on the border: nothing to record.
    Press(10, 10);
    Move(100, 10);
    Release(100, 10);
    EXPECT_EQ(View(50, 10), kBlack);
    EXPECT_EQ(canvas_->IsModified(), 0);
    EXPECT_EQ(TakeModifiedNotices(), 0);

    // Across the border into the picture: the picture part only.
    Press(100, 200);
    Move(200, 200);
    Release(200, 200);
    EXPECT_EQ(View(120, 200), kBlack);
    EXPECT_EQ(View(190, 200), kRed);
    EXPECT_EQ(Full(30, 80), kRed);
    EXPECT_EQ(canvas_->IsModified(), 1);
    // Undo restores the picture; the border never changed.
    Command(kCmdUndo);
    EXPECT_EQ(View(190, 200), kWhite);
    EXPECT_EQ(View(120, 200), kBlack);
}

TEST_F(CanvasPenTest, UndoReachesFourStepsBackAndANewEditDropsRedo) {
    Edit(WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF));
    canvas_->SetPenWidth(1.0f);
    // Five dots on the full-size picture at x 10, 20, .. 50 (view x + 160).
    for (int i = 1; i <= 5; ++i) Click(160 + 10 * i, 130);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Full(10 * i, 10), kBlack) << i;

    for (int step = 5; step >= 2; --step) {
        ASSERT_TRUE(canvas_->CanUndo()) << step;
        Command(kCmdUndo);
        EXPECT_EQ(Full(10 * step, 10), kWhite) << step;
        EXPECT_EQ(View(160 + 10 * step, 130), kWhite) << step;
    }
    // The fifth step back would land on the newest state: refused, and the
    // first dot stays.
    EXPECT_FALSE(canvas_->CanUndo());
    Command(kCmdUndo);
    EXPECT_EQ(Full(10, 10), kBlack);

    Command(kCmdRedo);
    Command(kCmdRedo);
    EXPECT_EQ(Full(30, 10), kBlack);
    EXPECT_EQ(Full(40, 10), kWhite);
    // A new dot after the redo states drops them.
    Click(160 + 100, 130);
    EXPECT_FALSE(canvas_->CanRedo());
    EXPECT_EQ(Full(100, 10), kBlack);
    Command(kCmdUndo);
    EXPECT_EQ(Full(100, 10), kWhite);
    EXPECT_EQ(Full(30, 10), kBlack);
}

TEST_F(CanvasPenTest, LeavingTheWindowRecordsTheStroke) {
    Edit(WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF));
    canvas_->SetPenWidth(1.0f);
    Press(170, 130);
    Move(180, 130);
    EXPECT_EQ(canvas_->IsModified(), 0);
    SendMessageW(canvas_->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(canvas_->IsModified(), 1);
    EXPECT_EQ(TakeModifiedNotices(), 1);
    ASSERT_TRUE(canvas_->CanUndo());
    Command(kCmdUndo);
    EXPECT_EQ(Full(15, 10), kWhite);
}

TEST_F(CanvasPenTest, PicturesThatCannotBeEditedTakeNoInput) {
    const std::wstring path = WritePng(scratch_, L"small.png", 320, 240, 0xFFFFFFFF);
    ASSERT_EQ(canvas_->LoadPicture(path.c_str(), 0, nullptr, nullptr, 0), 1);
    canvas_->EnableEditing(1);
    EXPECT_FALSE(canvas_->EditingEnabled());
    Click(200, 200);
    EXPECT_EQ(View(200, 200), kWhite);
    EXPECT_EQ(canvas_->IsModified(), 0);
    EXPECT_EQ(canvas_->SaveImage(scratch_.Path(L"copy.png").c_str()), 0);

    // Switching editing off drops the full-size copy of an editable picture.
    Edit(path);
    canvas_->EnableEditing(0);
    EXPECT_FALSE(canvas_->Editable());
    EXPECT_FALSE(canvas_->FullSizePicture().Ok());
    canvas_->EnableEditing(1);
    EXPECT_FALSE(canvas_->EditingEnabled());
}

TEST_F(CanvasPenTest, APictureFileOverTheProgramsCapIsNotReadAndLeavesAWhiteCanvas) {
    const std::wstring path = WritePng(scratch_, L"padded.png", 32, 24, 0xFF0000FF);
    Edit(path);
    ASSERT_EQ(canvas_->FullSizePicture().Width(), 32);
    // One byte past the cap, as a length only: the file takes no disk, and
    // the picture at its start still decodes.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(vimbrel::ui::kMaxPictureBytes) + 1;
    const bool grown = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(grown);
    Edit(path);
    EXPECT_EQ(canvas_->FullSizePicture().Width(), 640) << "the picture at the file's start was read";
}

TEST_F(CanvasPenTest, AMissingPictureIsAWhiteCanvasThatCanBeEdited) {
    Edit(scratch_.Path(L"missing.png"));
    EXPECT_EQ(canvas_->FullSizePicture().Width(), 640);
    EXPECT_EQ(canvas_->FullSizePicture().Height(), 480);
    EXPECT_EQ(Full(5, 5), kWhite);
    canvas_->SetPenWidth(1.0f);
    Click(5, 5);
    EXPECT_EQ(Full(5, 5), kBlack);
    EXPECT_EQ(canvas_->SaveImage(scratch_.Path(L"white.bmp").c_str()), 1);
}

}  // namespace
