#pragma once
// The canvas's undo bookkeeping: five slots, each holding the whole state
// after one recorded edit (slot 0 the picture as set). Only indices live
// here; the window keeps the bitmaps.
//
// `top` is the state shown. `floor` is the newest recorded slot: stepping
// back must never wrap round onto it, so at most four steps back over the
// last five states. `redo` counts the states undone since the last record.

#include <array>
#include <optional>

namespace vimbrel::canvas {

class UndoRing {
public:
    static constexpr int kSlots = 5;

    // A new picture: slot 0 holds it, nothing else is valid.
    void Reset();
    // Records a new state: the next slot becomes top and floor, the states
    // that could have been redone are dropped. Returns the slot to fill,
    // which is marked valid.
    int Push();
    // A slot whose copies could not be made; it can no longer be returned to.
    void Invalidate(int slot);

    bool CanUndo() const;
    bool CanRedo() const;
    // The slot to restore, which is now top; nothing when refused.
    std::optional<int> Undo();
    std::optional<int> Redo();

    int Top() const { return top_; }
    int Floor() const { return floor_; }
    int RedoCount() const { return redo_; }
    bool IsValid(int slot) const { return slot >= 0 && slot < kSlots && valid_[slot]; }

private:
    static int Before(int slot) { return (slot + kSlots - 1) % kSlots; }
    static int After(int slot) { return (slot + 1) % kSlots; }

    std::array<bool, kSlots> valid_{{true, false, false, false, false}};
    int top_ = 0;
    int floor_ = 0;
    int redo_ = 0;
};

}  // namespace vimbrel::canvas
