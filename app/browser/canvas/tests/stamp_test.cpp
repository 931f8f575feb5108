// Stamp turns and flips on a small picture worked out by hand, the menu's
// record of them, "Standard" after mixed sequences, and brush colours.
#include "BrushStamp.h"
#include "StampTransform.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace vimbrel::canvas;

namespace {

// Six distinct pixels named by letter:  A B C
//                                       D E F
constexpr uint32_t A = 0xFF000001, B = 0xFF000002, C = 0xFF000003, D = 0xFF000004, E = 0xFF000005, F = 0xFF000006;

StampPixels Grid(int width, int height, std::initializer_list<uint32_t> pixels) {
    return StampPixels{width, height, std::vector<uint32_t>(pixels)};
}

const StampPixels kLoaded = Grid(3, 2, {A, B, C, D, E, F});

void ExpectGrid(const StampPixels& actual, const StampPixels& expected) {
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.pixels, expected.pixels);
}

StampPixels After(std::initializer_list<int> commands, StampTransformState* keep = nullptr) {
    StampTransformState state;
    for (int command : commands) EXPECT_TRUE(state.Apply(command));
    if (keep) *keep = state;
    return Oriented(kLoaded, state.Orientation());
}

TEST(StampTransform, EachCommandTurnsOrMirrorsThePicture) {
    ExpectGrid(After({}), kLoaded);
    // Clockwise quarter turn: the left column, read upward, becomes the top row.
    ExpectGrid(After({kStampRotate90}), Grid(2, 3, {D, A, E, B, F, C}));
    ExpectGrid(After({kStampRotate180}), Grid(3, 2, {F, E, D, C, B, A}));
    ExpectGrid(After({kStampRotate270}), Grid(2, 3, {C, F, B, E, A, D}));
    ExpectGrid(After({kStampFlipHorizontal}), Grid(3, 2, {C, B, A, F, E, D}));
    ExpectGrid(After({kStampFlipVertical}), Grid(3, 2, {D, E, F, A, B, C}));
}

TEST(StampTransform, CommandsComposeInTheOrderGiven) {
    // Mirror first: C B A / F E D; then a quarter turn of that.
    ExpectGrid(After({kStampFlipHorizontal, kStampRotate90}), Grid(2, 3, {F, C, E, B, D, A}));
    // Turn first: D A / E B / F C; then mirrored left to right.
    ExpectGrid(After({kStampRotate90, kStampFlipHorizontal}), Grid(2, 3, {A, D, B, E, C, F}));
    // Turn, then upside down: F C / E B / D A.
    ExpectGrid(After({kStampRotate90, kStampFlipVertical}), Grid(2, 3, {F, C, E, B, D, A}));
    // Three quarter turns and one more are the picture again.
    ExpectGrid(After({kStampRotate270, kStampRotate90}), kLoaded);
    // Both flips are a half turn.
    ExpectGrid(After({kStampFlipHorizontal, kStampFlipVertical}), Grid(3, 2, {F, E, D, C, B, A}));
}

TEST(StampTransform, MenuRecordFollowsTheCommands) {
    StampTransformState state;
    After({kStampRotate90, kStampRotate180}, &state);
    EXPECT_EQ(state.Rotation(), 270);
    EXPECT_EQ(state.LastKind(), StampTransformKind::Rotation);
    EXPECT_TRUE(state.Apply(kStampRotate180));
    EXPECT_EQ(state.Rotation(), 90);

    EXPECT_TRUE(state.Apply(kStampFlipHorizontal));
    EXPECT_TRUE(state.HorizontalFlip());
    EXPECT_FALSE(state.VerticalFlip());
    EXPECT_EQ(state.LastKind(), StampTransformKind::Flip);
    EXPECT_TRUE(state.Apply(kStampFlipHorizontal));
    EXPECT_FALSE(state.HorizontalFlip());

    // Numbers that are not stamp commands change nothing.
    const StampOrientation before = state.Orientation();
    EXPECT_FALSE(state.Apply(157));
    EXPECT_FALSE(state.Apply(150));
    EXPECT_EQ(state.Orientation(), before);
    EXPECT_EQ(state.Rotation(), 90);
}

TEST(StampTransform, StandardPutsTheStampBackAsLoaded) {
    for (auto commands : {std::initializer_list<int>{kStampRotate90},
                          {kStampFlipVertical, kStampRotate270},
                          {kStampRotate180, kStampFlipHorizontal},
                          // Flip, turn, flip: unwinding the flips before the turn
                          // would leave this one upside down.
                          {kStampFlipHorizontal, kStampRotate90, kStampFlipVertical}}) {
        StampTransformState state;
        for (int command : commands) state.Apply(command);
        EXPECT_TRUE(state.Apply(kStampStandard));
        ExpectGrid(Oriented(kLoaded, state.Orientation()), kLoaded);
        EXPECT_EQ(state.Rotation(), 0);
        EXPECT_FALSE(state.HorizontalFlip());
        EXPECT_FALSE(state.VerticalFlip());
        EXPECT_EQ(state.LastKind(), StampTransformKind::None);
    }
}

TEST(BrushStamp, ShapePixelsTakeThePenColourAndNineTenthsOfTheirAlpha) {
    const StampPixels shape = Grid(4, 1, {0xFF123456, 0x0A123456, 0x00ABCDEF, 0x80000000});
    const StampPixels green = RecolouredBrushStamp(shape, 0xFF00FF00, false);
    // 255 x 0.9 = 229.5 -> 229 (0xE5); 10 -> 9; 128 -> 115 (0x73); clear stays.
    EXPECT_EQ(green.pixels, (std::vector<uint32_t>{0xE500FF00, 0x0900FF00, 0x00ABCDEF, 0x7300FF00}));

    // A second colour starts from the loaded shape again: no further fading.
    const StampPixels red = RecolouredBrushStamp(shape, 0xFFFF0000, false);
    EXPECT_EQ(red.pixels[0], 0xE5FF0000u);
    EXPECT_EQ(red.pixels[3], 0x73FF0000u);
}

TEST(BrushStamp, InvertedStampPaintsAroundTheShape) {
    const StampPixels shape = Grid(3, 1, {0xFF123456, 0x01000000, 0x00000000});
    const StampPixels blue = RecolouredBrushStamp(shape, 0xFF0000FF, true);
    // Shape pixels become holes; the clear one takes the colour at alpha 230 (0xE6).
    EXPECT_EQ(blue.pixels[0] >> 24, 0u);
    EXPECT_EQ(blue.pixels[1] >> 24, 0u);
    EXPECT_EQ(blue.pixels[2], 0xE60000FFu);
}

TEST(BrushStamp, ColorrefBecomesOpaqueArgb) {
    EXPECT_EQ(OpaqueArgbOf(0x00112233), 0xFF332211u);
    EXPECT_EQ(OpaqueArgbOf(0x000000FF), 0xFFFF0000u);
    EXPECT_EQ(OpaqueArgbOf(0), 0xFF000000u);
}

}  // namespace
