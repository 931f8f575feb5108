#pragma once
// Working memory the stages reuse from frame to frame. A fresh frame-sized
// allocation per stage and frame costs more in page faults than many stages
// cost in arithmetic, so the pipeline keeps a few buffers that only grow,
// and the tables of a zoom that stay true while the frame size and the
// settings do.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kernels/NearestZoomPlan.h"

namespace vimbrel::effects {

class CScratch {
public:
    static constexpr int kSlots = 4;

    // At least `bytes` of memory for `slot` (0..kSlots-1); the contents are
    // whatever the slot held last. Throws std::bad_alloc when it cannot grow.
    uint8_t* Bytes(int slot, std::size_t bytes) {
        std::vector<uint8_t>& b = slots_[slot];
        if (b.size() < bytes) {
            b.resize(bytes);
        }
        return b.data();
    }

    // The nearest-neighbour zoom's tables, kept for the next frame.
    NearestZoomPlan& NearestZoom() { return nearestZoom_; }

private:
    std::vector<uint8_t> slots_[kSlots];
    NearestZoomPlan nearestZoom_;
};

}  // namespace vimbrel::effects
