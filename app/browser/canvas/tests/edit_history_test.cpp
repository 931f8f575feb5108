// The undo ring's five slots and the edit rules on top of it: how far undo
// reaches, what a new edit drops, when the owner hears of a change, and how
// frames and effects replace their predecessors.
#include "CanvasEditState.h"

#include <gtest/gtest.h>

using namespace vimbrel::canvas;

namespace {

TEST(UndoRing, FiveEditsAllowFourStepsBack) {
    UndoRing ring;
    ring.Reset();
    EXPECT_FALSE(ring.CanUndo());
    for (int expected : {1, 2, 3, 4, 0}) EXPECT_EQ(ring.Push(), expected);
    // The newest state sits in slot 0 now; slots 4, 3, 2, 1 lie behind it.
    for (int expected : {4, 3, 2, 1}) EXPECT_EQ(ring.Undo(), expected);
    // Slot 0 is the newest state: stepping onto it would wrap round.
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_EQ(ring.Undo(), std::nullopt);
    EXPECT_EQ(ring.RedoCount(), 4);
    // All four come back.
    for (int expected : {2, 3, 4, 0}) EXPECT_EQ(ring.Redo(), expected);
    EXPECT_FALSE(ring.CanRedo());
}

TEST(UndoRing, ANewEditAfterUndoDropsTheRedoStates) {
    UndoRing ring;
    ring.Reset();
    ring.Push();  // 1
    ring.Push();  // 2
    ring.Push();  // 3
    EXPECT_EQ(ring.Undo(), 2);
    EXPECT_EQ(ring.Undo(), 1);
    EXPECT_TRUE(ring.CanRedo());
    EXPECT_EQ(ring.Push(), 2);
    EXPECT_FALSE(ring.IsValid(3));
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_EQ(ring.RedoCount(), 0);
    // Back through the new edit to the first one and the picture.
    EXPECT_EQ(ring.Undo(), 1);
    EXPECT_EQ(ring.Undo(), 0);
    EXPECT_FALSE(ring.CanUndo());
}

TEST(UndoRing, ASlotWithoutCopiesCannotBeReturnedTo) {
    UndoRing ring;
    ring.Reset();
    ring.Push();
    const int failed = ring.Push();
    ring.Invalidate(failed);
    ring.Push();
    EXPECT_FALSE(ring.CanUndo());
    // Reset makes only the picture valid.
    ring.Reset();
    EXPECT_TRUE(ring.IsValid(0));
    EXPECT_FALSE(ring.IsValid(1));
    EXPECT_EQ(ring.Top(), 0);
}

TEST(CanvasEditState, TheOwnerHearsOfTheFirstEditAfterEachSetOrSave) {
    CanvasEditState state;
    state.PictureSet();
    EXPECT_FALSE(state.Modified());
    state.SetPending(true);
    EXPECT_TRUE(state.Record().notifyOwner);
    EXPECT_FALSE(state.Pending());
    EXPECT_TRUE(state.Modified());
    EXPECT_FALSE(state.Record().notifyOwner);

    state.Saved();
    EXPECT_FALSE(state.Modified());
    EXPECT_TRUE(state.Record().notifyOwner);

    // Undo does not make an edited picture unmodified.
    ASSERT_TRUE(state.Undo());
    EXPECT_TRUE(state.Modified());

    state.PictureSet();
    EXPECT_FALSE(state.Modified());
    EXPECT_FALSE(state.CanUndo());
    EXPECT_TRUE(state.Record().notifyOwner);
}

TEST(CanvasEditState, ANewEffectReplacesTheLastEffect) {
    CanvasEditState state;
    state.PictureSet();
    EXPECT_EQ(state.Record().slot, 1);  // a pen stroke
    state.Drawn();

    // The first effect goes on top of the stroke.
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), std::nullopt);
    EXPECT_EQ(state.CommitLayer(CanvasLayer::Effect).slot, 2);
    EXPECT_TRUE(state.EffectApplied());

    // The second steps back to the stroke and takes the effect's slot.
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), 1);
    EXPECT_EQ(state.CommitLayer(CanvasLayer::Effect).slot, 2);
    // One undo leaves the stroke alone, a second the picture.
    EXPECT_EQ(state.Undo(), 1);
    EXPECT_FALSE(state.EffectApplied());
    EXPECT_EQ(state.Undo(), 0);
    EXPECT_FALSE(state.CanUndo());
}

TEST(CanvasEditState, AFailedEffectLeavesPictureAndRingAsTheyWere) {
    CanvasEditState state;
    state.PictureSet();
    state.CommitLayer(CanvasLayer::Effect);  // slot 1

    // After a step back, the failure steps forward to the old effect again.
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), 0);
    EXPECT_EQ(state.AbandonLayer(), 1);
    EXPECT_EQ(state.Ring().Top(), 1);
    EXPECT_EQ(state.Ring().RedoCount(), 0);
    EXPECT_TRUE(state.EffectApplied());

    // Without a step back there is nothing to step forward over: an earlier
    // undo's redo state must stay where it is.
    state.PictureSet();
    state.Record();  // 1
    state.Record();  // 2
    ASSERT_EQ(state.Undo(), 1);
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), std::nullopt);
    EXPECT_EQ(state.AbandonLayer(), std::nullopt);
    EXPECT_EQ(state.Ring().Top(), 1);
    EXPECT_EQ(state.Ring().RedoCount(), 1);
}

TEST(CanvasEditState, FramesReplaceFramesAndNoneTakesTheLastOneOff) {
    CanvasEditState state;
    state.PictureSet();
    state.CommitLayer(CanvasLayer::Frame);               // frame 2 in slot 1
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Frame), 0);  // frame 5 replaces it
    EXPECT_EQ(state.CommitLayer(CanvasLayer::Frame).slot, 1);
    EXPECT_TRUE(state.FrameApplied());
    EXPECT_EQ(state.RemoveLayer(CanvasLayer::Frame), 0);
    EXPECT_FALSE(state.FrameApplied());
    // A second "none" finds no frame to take off.
    EXPECT_EQ(state.RemoveLayer(CanvasLayer::Frame), std::nullopt);
    EXPECT_EQ(state.Ring().Top(), 0);
}

TEST(CanvasEditState, OtherEditsEndTheReplacing) {
    CanvasEditState state;
    state.PictureSet();
    state.CommitLayer(CanvasLayer::Frame);
    // An effect over a frame is added on top and ends the frame's turn.
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), std::nullopt);
    state.CommitLayer(CanvasLayer::Effect);
    EXPECT_FALSE(state.FrameApplied());
    EXPECT_EQ(state.RemoveLayer(CanvasLayer::Frame), std::nullopt);
    EXPECT_EQ(state.Ring().Top(), 2);

    // A pen stroke after the effect: a new effect adds on top of it.
    state.Drawn();
    state.Record();
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), std::nullopt);

    // So does saving.
    state.CommitLayer(CanvasLayer::Effect);
    state.Saved();
    EXPECT_EQ(state.BeginLayer(CanvasLayer::Effect), std::nullopt);
    EXPECT_EQ(state.RemoveLayer(CanvasLayer::Effect), std::nullopt);
}

}  // namespace
