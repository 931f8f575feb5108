#include "UndoRing.h"

namespace vimbrel::canvas {

void UndoRing::Reset() {
    valid_.fill(false);
    valid_[0] = true;
    top_ = floor_ = redo_ = 0;
}

int UndoRing::Push() {
    top_ = After(top_);
    floor_ = top_;
    for (int i = 0; i < redo_; ++i) valid_[(top_ + i) % kSlots] = false;
    redo_ = 0;
    valid_[top_] = true;
    return top_;
}

void UndoRing::Invalidate(int slot) {
    if (slot >= 0 && slot < kSlots) valid_[slot] = false;
}

bool UndoRing::CanUndo() const {
    const int previous = Before(top_);
    return valid_[previous] && previous != floor_;
}

bool UndoRing::CanRedo() const { return redo_ > 0 && valid_[After(top_)]; }

std::optional<int> UndoRing::Undo() {
    if (!CanUndo()) return std::nullopt;
    top_ = Before(top_);
    ++redo_;
    return top_;
}

std::optional<int> UndoRing::Redo() {
    if (!CanRedo()) return std::nullopt;
    top_ = After(top_);
    --redo_;
    return top_;
}

}  // namespace vimbrel::canvas
