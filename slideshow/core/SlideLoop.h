// The slide loop: shows the list from the picture after the cursor, each
// with a transition and a pause, until the list runs out or the player's
// event cuts it short. The drawing, the loading and the waiting belong to
// the stage; the loop owns only the order of things.
#pragma once

#include "SlideList.h"

#include <cstdint>
#include <string>

namespace slideshow {

class ISlideStage {
public:
    virtual ~ISlideStage() = default;
    // Tells the player window the cursor moved (it refreshes its buttons).
    virtual void NotifyCursorMoved() = 0;
    // Fills the whole screen black.
    virtual void ClearScreen() = 0;
    // Decodes the named file as the current picture; false when it cannot.
    virtual bool LoadPicture(const std::u16string& name) = 0;
    virtual void ReleasePicture() = 0;
    // Runs transition 1..5 with the current picture; false when it failed.
    virtual bool RunTransition(int mode) = 0;
    // Waits up to the interval; true when the player's event was set.
    virtual bool WaitForEvent(std::uint32_t milliseconds) = 0;
    // Whether the player's event is set now, without waiting.
    virtual bool EventSet() = 0;
};

// 1 when the list ran out or the event was set, 0 when a file could not be
// loaded or a transition failed (the next call starts with the file after
// it, so a broken file is skipped). A mode outside 1..5 shows nothing but
// still paces the slides.
int PlaySlides(CSlideList& list, int mode, std::uint32_t intervalMs, ISlideStage& stage);

}  // namespace slideshow
