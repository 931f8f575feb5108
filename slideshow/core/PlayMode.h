// How the player shows its pictures; shared by the user-interface thread,
// the worker and the slide loop.
#pragma once

#include <atomic>

namespace slideshow {

enum PlayModeValue : int {
    kPlayStop = 0,
    kPlayCut = 1,
    kPlayBlockDissolve = 2,
    kPlayCrossFade = 3,
    kPlayPan = 4,
    kPlayColumnDissolve = 5,
    kPlayFilmStrip = 6,
};

inline bool IsTransitionMode(int mode) { return mode >= kPlayCut && mode <= kPlayColumnDissolve; }

// The process's one play mode (cross-fade when the player starts).
std::atomic<int>& SharedPlayMode();

}  // namespace slideshow
