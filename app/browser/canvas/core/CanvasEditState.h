#pragma once
// The canvas's edit rules over its undo ring: when the picture counts as
// modified and the owner hears of it, which edits a frame or an effect
// replaces, and how a removed frame or effect is taken back.

#include "UndoRing.h"

#include <optional>

namespace vimbrel::canvas {

// Whole-picture edits where a new one replaces the last one of its kind
// instead of being added on top.
enum class CanvasLayer { Effect, Frame };

struct RecordedEdit {
    int slot = 0;              // the ring slot that must receive the copies
    bool notifyOwner = false;  // the first edit since the picture was set or saved
};

class CanvasEditState {
public:
    // A new picture (or the same one reloaded): slot 0, nothing modified.
    void PictureSet();
    // The full-size picture was saved: not modified, and the next frame or
    // effect is added on top of the saved picture instead of replacing.
    void Saved();

    // A pen stroke or stamp touched the picture: a later frame or effect is
    // added on top of it.
    void Drawn();
    void SetPending(bool pending) { pending_ = pending; }
    bool Pending() const { return pending_; }

    // Records the state after an edit.
    RecordedEdit Record();

    // The user's undo and redo: the slot to restore, or nothing when refused.
    std::optional<int> Undo();
    std::optional<int> Redo();
    bool CanUndo() const { return ring_.CanUndo(); }
    bool CanRedo() const { return ring_.CanRedo(); }

    // Before a frame or effect: when the last edit was one of the same kind,
    // steps back over it without touching the flags; the slot to restore.
    std::optional<int> BeginLayer(CanvasLayer layer);
    // The new frame or effect could not be made: steps forward again only
    // when BeginLayer stepped back, so the picture stays as it was.
    std::optional<int> AbandonLayer();
    // The new frame or effect is drawn: records it and marks it the last edit.
    RecordedEdit CommitLayer(CanvasLayer layer);
    // Frame "none" or effect 0: undoes the last edit when it was of this
    // kind; the slot to restore, or nothing. The kind is no longer the last
    // edit afterwards in either case.
    std::optional<int> RemoveLayer(CanvasLayer layer);

    bool Modified() const { return modified_; }
    bool FrameApplied() const { return frameApplied_; }
    bool EffectApplied() const { return effectApplied_; }
    bool LayerApplied(CanvasLayer layer) const { return layer == CanvasLayer::Effect ? effectApplied_ : frameApplied_; }

    UndoRing& Ring() { return ring_; }
    const UndoRing& Ring() const { return ring_; }

private:
    void ClearLayers() { frameApplied_ = effectApplied_ = false; }

    UndoRing ring_;
    bool modified_ = false;
    bool frameApplied_ = false;
    bool effectApplied_ = false;
    bool pending_ = false;
    bool steppedBack_ = false;
};

}  // namespace vimbrel::canvas
