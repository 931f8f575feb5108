#include "PlayerEvent.h"

#include "WinHandles.h"

namespace slideshow {

bool WaitForPlayerEvent(HANDLE event, std::uint32_t milliseconds) {
    if (!event) {
        Sleep(milliseconds);
        return false;
    }
    return WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0;
}

HANDLE SharedPlayerEvent() {
    static vimbrel::ui::UniqueFile event(CreateEventW(nullptr, TRUE, FALSE, kPlayerEventName));
    return event.get();
}

} // namespace slideshow
