#include "CanvasEditState.h"

namespace vimbrel::canvas {

void CanvasEditState::PictureSet() {
    ring_.Reset();
    modified_ = pending_ = steppedBack_ = false;
    ClearLayers();
}

void CanvasEditState::Saved() {
    modified_ = false;
    ClearLayers();
}

void CanvasEditState::Drawn() { ClearLayers(); }

RecordedEdit CanvasEditState::Record() {
    RecordedEdit edit;
    edit.slot = ring_.Push();
    edit.notifyOwner = !modified_;
    modified_ = true;
    pending_ = false;
    return edit;
}

std::optional<int> CanvasEditState::Undo() {
    const auto slot = ring_.Undo();
    if (slot) ClearLayers();
    return slot;
}

std::optional<int> CanvasEditState::Redo() {
    const auto slot = ring_.Redo();
    if (slot) ClearLayers();
    return slot;
}

std::optional<int> CanvasEditState::BeginLayer(CanvasLayer layer) {
    steppedBack_ = false;
    if (!LayerApplied(layer)) return std::nullopt;
    const auto slot = ring_.Undo();
    steppedBack_ = slot.has_value();
    return slot;
}

std::optional<int> CanvasEditState::AbandonLayer() {
    if (!steppedBack_) return std::nullopt;
    steppedBack_ = false;
    return ring_.Redo();
}

RecordedEdit CanvasEditState::CommitLayer(CanvasLayer layer) {
    steppedBack_ = false;
    const RecordedEdit edit = Record();
    effectApplied_ = layer == CanvasLayer::Effect;
    frameApplied_ = layer == CanvasLayer::Frame;
    return edit;
}

std::optional<int> CanvasEditState::RemoveLayer(CanvasLayer layer) {
    std::optional<int> slot;
    if (LayerApplied(layer)) slot = Undo();
    if (layer == CanvasLayer::Effect)
        effectApplied_ = false;
    else
        frameApplied_ = false;
    return slot;
}

}  // namespace vimbrel::canvas
