#include "PlayerEvent.h"

#include "winowners/KernelOwners.h"

namespace slideshow {

bool WaitForPlayerEvent(HANDLE event, std::uint32_t milliseconds) {
    if (!event) {
        Sleep(milliseconds);
        return false;
    }
    return WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0;
}

HANDLE SharedPlayerEvent() {
    static winowners::UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, kPlayerEventName));
    return event.get();
}

}  // namespace slideshow
