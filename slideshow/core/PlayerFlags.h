// The player's shared flags besides the play mode: the user-interface
// thread sets them, the worker reads them on every turn of its loop. The
// player's event is what makes the worker look again.
#pragma once

#include <atomic>

namespace slideshow {

struct PlayerFlags {
    // A direct navigation happened; the show holds until 3 s pass without one.
    std::atomic<bool> navigated{false};
    std::atomic<bool> paused{false};
    // The worker has made the screen buffers; until then the player window
    // refuses to be moved or shown.
    std::atomic<bool> workerRunning{false};

    void Reset() {
        navigated = false;
        paused = false;
        workerRunning = false;
    }
};

PlayerFlags& SharedPlayerFlags();

}  // namespace slideshow
