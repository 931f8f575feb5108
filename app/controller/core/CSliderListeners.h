#pragma once
// Windows that follow a value the controller changes: the microphone
// volume sliders (kind 0), the playback position slider (kind 1), and a
// third kind free for others. Each hears its own message, in the order the
// windows registered.

#include <array>
#include <cstdint>

#include "ControllerView.h"

namespace vimbrel::controller {

class CSliderListeners {
public:
    static constexpr int kCapacity = 10;
    static constexpr int kKinds = 3;

    // 0 for a null window, a kind outside 0..2 or a full table.
    int Register(ControllerWindow window, int kind, unsigned message);
    // 0 for a kind outside 0..2.
    int Notify(IControllerView& view, int kind, std::intptr_t wParam, std::intptr_t lParam) const;
    int Count() const { return count_; }

private:
    struct Listener {
        ControllerWindow window = nullptr;
        int kind = 0;
        unsigned message = 0;
    };
    std::array<Listener, kCapacity> listeners_{};
    int count_ = 0;
};

}  // namespace vimbrel::controller
