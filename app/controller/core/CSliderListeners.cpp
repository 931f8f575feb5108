#include "CSliderListeners.h"

namespace vimbrel::controller {

int CSliderListeners::Register(ControllerWindow window, int kind, unsigned message) {
    if (window == nullptr || kind < 0 || kind >= kKinds || count_ >= kCapacity) return 0;
    listeners_[static_cast<std::size_t>(count_++)] = Listener{window, kind, message};
    return 1;
}

int CSliderListeners::Notify(IControllerView& view, int kind, std::intptr_t wParam, std::intptr_t lParam) const {
    if (kind < 0 || kind >= kKinds) return 0;
    for (int i = 0; i < count_; ++i) {
        const Listener& each = listeners_[static_cast<std::size_t>(i)];
        if (each.kind == kind) view.Send(each.window, each.message, wParam, lParam);
    }
    return 1;
}

}  // namespace vimbrel::controller
