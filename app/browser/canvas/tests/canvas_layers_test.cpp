// Effects, frames and stamps on a real canvas: a new effect or frame
// replaces the last one, removal takes it off, stamps land centred on the
// mapped point and turn with the menu, brush stamps take the pen colour.
#include "CanvasTestSupport.h"

using namespace canvastest;
using namespace vimbrel::canvas;

namespace {

constexpr int kGray = 9;
constexpr int kSepia = 12;

class CanvasLayersTest : public CanvasWindowTest {};

TEST_F(CanvasLayersTest, ANewEffectReplacesTheLastAndZeroTakesItOff) {
    Edit(WritePng(scratch_, L"red.png", 320, 240, 0xFFFF0000));
    canvas_->ApplyEffect(kSepia);
    EXPECT_NE(Full(100, 100), kRed);
    EXPECT_EQ(TakeModifiedNotices(), 1);
    // Gray of the red picture, (30 x 255) / 100 = 76, not of the sepia one.
    canvas_->ApplyEffect(kGray);
    EXPECT_EQ(Full(100, 100), 0x4C4C4Cu);
    EXPECT_TRUE(NearColour(View(320, 240), 0x4C4C4C, 2));
    // One undo goes back to the red picture: the sepia step is gone.
    ASSERT_TRUE(canvas_->CanUndo());
    Command(kCmdUndo);
    EXPECT_EQ(Full(100, 100), kRed);
    EXPECT_FALSE(canvas_->CanUndo());

    Command(kCmdRedo);
    EXPECT_EQ(Full(100, 100), 0x4C4C4Cu);
    // Redo does not make it the last edit again: 0 finds nothing to take off
    // after it, but does right after a fresh effect.
    canvas_->ApplyEffect(0);
    EXPECT_EQ(Full(100, 100), 0x4C4C4Cu);
    canvas_->ApplyEffect(kSepia);
    canvas_->ApplyEffect(0);
    EXPECT_EQ(Full(100, 100), 0x4C4C4Cu);
}

TEST_F(CanvasLayersTest, AnEffectAfterAStrokeGoesOnTopOfIt) {
    Edit(WritePng(scratch_, L"red.png", 320, 240, 0xFFFF0000));
    canvas_->SetPenWidth(1.0f);
    canvas_->SetPenColor(RGB(0, 0, 255));
    Click(170, 130);  // (10, 10)
    canvas_->ApplyEffect(kGray);
    // Blue (11 x 255) / 100 = 28 under the gray effect.
    EXPECT_EQ(Full(10, 10), 0x1C1C1Cu);
    EXPECT_EQ(Full(11, 10), 0x4C4C4Cu);
    Command(kCmdUndo);
    EXPECT_EQ(Full(10, 10), 0x0000FFu);
}

TEST_F(CanvasLayersTest, AnEffectWithoutResultChangesNothing) {
    Edit(WritePng(scratch_, L"red.png", 320, 240, 0xFFFF0000));
    canvas_->ApplyEffect(kGray);
    TakeModifiedNotices();
    // 23 has no effect on the canvas: the gray picture and its undo stay.
    canvas_->ApplyEffect(23);
    EXPECT_EQ(Full(100, 100), 0x4C4C4Cu);
    ASSERT_TRUE(canvas_->CanUndo());
    EXPECT_FALSE(canvas_->CanRedo());
    Command(kCmdUndo);
    EXPECT_EQ(Full(100, 100), kRed);
    EXPECT_EQ(TakeModifiedNotices(), 0);
}

TEST_F(CanvasLayersTest, ANewFrameReplacesTheLastAndNoneTakesItOff) {
    Edit(WritePng(scratch_, L"white.png", 320, 240, 0xFFFFFFFF));
    // Opaque 20-pixel borders round a clear window, at the picture's size.
    const auto border = [](uint32_t argb) {
        return [argb](Gdiplus::Graphics& g) {
            Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
            g.FillRectangle(&brush, 0, 0, 320, 240);
            Gdiplus::SolidBrush clear{Gdiplus::Color(0, 0, 0, 0)};
            g.FillRectangle(&clear, 20, 20, 280, 200);
        };
    };
    const std::wstring frame2 = WritePng(scratch_, L"frame2.png", 320, 240, 0, border(0xFF0000FF));
    const std::wstring frame5 = WritePng(scratch_, L"frame5.png", 320, 240, 0, border(0xFF00FF00));

    canvas_->SetFrame(frame2.c_str());
    EXPECT_EQ(Full(5, 5), 0x0000FFu);
    EXPECT_EQ(Full(160, 120), kWhite);
    canvas_->SetFrame(frame5.c_str());
    EXPECT_EQ(Full(5, 5), 0x00FF00u);
    EXPECT_EQ(Full(160, 120), kWhite);
    EXPECT_TRUE(NearColour(View(165, 125), 0x00FF00, 2));
    // Only frame 5 was ever on top of the picture.
    canvas_->SetFrame(nullptr);
    EXPECT_EQ(Full(5, 5), kWhite);
    EXPECT_FALSE(canvas_->CanUndo());

    // A frame that does not load changes nothing.
    canvas_->SetFrame(scratch_.Path(L"frame9.png").c_str());
    EXPECT_EQ(Full(5, 5), kWhite);
    EXPECT_FALSE(canvas_->CanUndo());
}

TEST_F(CanvasLayersTest, PictureStampsLandCentredAndTurnWithTheMenu) {
    Edit(WritePng(scratch_, L"white.png", 320, 240, 0xFFFFFFFF));
    const std::wstring stamp = WritePng(scratch_, L"stamp1.png", 20, 10, 0xFFFF0000);
    ASSERT_EQ(canvas_->SetImageStamp(stamp.c_str(), 0, nullptr, nullptr), 1);
    canvas_->SetTool(kToolPictureStamp);

    // (200, 150) maps to (40, 30): 20 x 10 from (30, 25).
    Move(200, 150, false);
    EXPECT_EQ(View(200, 150), kRed);  // the preview
    EXPECT_EQ(Full(40, 30), kWhite);
    Press(200, 150);
    Release(200, 150);
    EXPECT_EQ(Full(30, 25), kRed);
    EXPECT_EQ(Full(49, 34), kRed);
    EXPECT_EQ(Full(29, 25), kWhite);
    EXPECT_EQ(Full(50, 34), kWhite);
    EXPECT_EQ(Full(40, 24), kWhite);
    EXPECT_EQ(Full(40, 35), kWhite);
    EXPECT_EQ(canvas_->IsModified(), 1);

    // A quarter turn: 10 x 20, at (90, 30) from (85, 20).
    Command(kCmdRotate90);
    EXPECT_EQ(canvas_->StampTransform().Rotation(), 90);
    Click(250, 150);
    EXPECT_EQ(Full(85, 20), kRed);
    EXPECT_EQ(Full(94, 39), kRed);
    EXPECT_EQ(Full(84, 30), kWhite);
    EXPECT_EQ(Full(95, 30), kWhite);

    // Moving away wipes the preview from the view; the stamps stay.
    Move(400, 300, false);
    Move(420, 300, false);
    EXPECT_EQ(View(400, 300), kWhite);
    EXPECT_EQ(View(200, 150), kRed);
}

TEST_F(CanvasLayersTest, BrushStampsTakeThePenColourWithoutFading) {
    Edit(WritePng(scratch_, L"white.png", 320, 240, 0xFFFFFFFF));
    // The shape: the left half of a 10 x 10 square.
    const std::wstring shape = WritePng(scratch_, L"stamp10.png", 10, 10, 0, [](Gdiplus::Graphics& g) {
        Gdiplus::SolidBrush black{Gdiplus::Color(255, 0, 0, 0)};
        g.FillRectangle(&black, 0, 0, 5, 10);
    });
    canvas_->SetTool(kToolBrushStamp);
    canvas_->SetPenColor(RGB(0, 0, 255));
    ASSERT_EQ(canvas_->SetBrushStamp(shape.c_str(), 0, 0, nullptr, nullptr), 1);

    // (300, 200) maps to (140, 80): 10 x 10 from (135, 75). Alpha 229 of
    // blue over white: 255 x 26 / 255 = 26 red and green.
    Click(300, 200);
    EXPECT_TRUE(NearColour(Full(137, 80), 0x1A1AFF, 2));
    EXPECT_EQ(Full(142, 80), kWhite);
    EXPECT_EQ(Full(134, 80), kWhite);

    // Three colour changes later the stamp is as strong as before.
    canvas_->SetPenColor(RGB(255, 0, 0));
    canvas_->SetPenColor(RGB(0, 255, 0));
    canvas_->SetPenColor(RGB(0, 0, 255));
    Click(300, 250);  // (140, 130)
    EXPECT_TRUE(NearColour(Full(137, 130), 0x1A1AFF, 2));

    // Inverted: the colour around the shape at alpha 230, the shape clear.
    ASSERT_EQ(canvas_->SetBrushStamp(shape.c_str(), 1, 0, nullptr, nullptr), 1);
    Click(400, 200);  // (240, 80)
    EXPECT_EQ(Full(237, 80), kWhite);
    EXPECT_TRUE(NearColour(Full(242, 80), 0x1919FF, 2));
}

}  // namespace

namespace {

TEST_F(CanvasLayersTest, TheShippedStampsLoadAsTheirKindExpects) {
    Edit(WritePng(scratch_, L"white.png", 320, 240, 0xFFFFFFFF));
    for (int i = 1; i <= 15; ++i) {
        const std::wstring path = L"PhotoFrame\\stamp" + std::to_wstring(i) + L".png";
        const bool picture = i <= 8 || i == 12;
        if (picture)
            EXPECT_EQ(canvas_->SetImageStamp(path.c_str(), 0, nullptr, nullptr), 1) << i;
        else
            EXPECT_EQ(canvas_->SetBrushStamp(path.c_str(), 0, 0, nullptr, nullptr), 1) << i;
    }
    // The last one, a brush flower in the pen colour, lands on the picture.
    canvas_->SetTool(kToolBrushStamp);
    Click(320, 240);
    EXPECT_TRUE(NearColour(Full(160, 120), 0x1A1A1A, 3));
}

}  // namespace
