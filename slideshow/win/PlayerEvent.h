// The player's named manual-reset event: the user-interface thread sets it
// after every stop, navigation or mode switch, and every wait of the slide
// show waits on it, so a wait or a transition ends early when it is set.
#pragma once

#include <windows.h>

#include <cstdint>

namespace slideshow {

inline constexpr wchar_t kPlayerEventName[] = L"Zavu_Vimbrel_FlickwandEvent";

// Waits up to the given time; true when the event was set. A null event
// still paces the show but can never cut it short.
bool WaitForPlayerEvent(HANDLE event, std::uint32_t milliseconds);

// The process's handle to the named event (created not signalled when it
// does not exist yet); null when it cannot be made.
HANDLE SharedPlayerEvent();

}  // namespace slideshow
