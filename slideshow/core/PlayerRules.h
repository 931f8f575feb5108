// The player's decisions that do not depend on windows: what a key or a
// control-bar command asks for, where a navigation moves the cursor, which
// buttons are usable, and what the worker does next with the shared state.
#pragma once

#include "SlideList.h"

#include <cstdint>
#include <string>

namespace slideshow {

// What the dialog does for a key or a control-bar command.
enum class PlayerAction {
    None,
    First,
    Previous,
    Next,
    Last,
    TogglePause,
    SwitchEffect,
    Exit,  // close the dialog
    Stop,  // Esc: free the list, stop the worker, then close
};

// Esc, Space, PageUp, PageDown, End and Home; other keys ask for nothing.
PlayerAction ActionForKey(unsigned virtualKey);
// The control bar's commands 0..6 (first, previous, next, last,
// play/pause, switch effect, exit); other values ask for nothing.
PlayerAction ActionForCommand(unsigned command);

// Switch effect: the cross-fade show and the film strip take turns.
int SwitchedPlayMode(int playMode);

enum class NavigateTarget { First = 0, Last = 1, Previous = 2, Next = 3, Current = 4 };

// Moves the cursor for a navigation and gives the name now on screen. In
// the film strip the cursor is already one past the picture on screen, so
// the first Next after the strip was playing stays where it is. 0 when the
// move finds no picture (nothing is to be drawn).
int NavigateCursor(CSlideList& list, NavigateTarget target, int playMode, bool wasNavigated, std::u16string& name);

struct ButtonStates {
    bool firstAndPrevious = false;
    bool nextAndLast = false;
    int playPauseState = 2;  // 2 playing (the "Pause" face), 1 paused
};
// 0 when the list cannot answer.
int ComputeButtonStates(CSlideList& list, bool paused, ButtonStates* states);

// What the worker does on one turn of its loop.
enum class WorkerStep { Leave, WaitWhilePaused, WaitAfterNavigation, PlaySlides, FilmStrip };
WorkerStep NextWorkerStep(int playMode, bool paused, bool navigated);
constexpr std::uint32_t kPausedWaitMs = 500;
constexpr std::uint32_t kNavigationHoldMs = 3000;
// The pause between slides: longer while cross-fading.
std::uint32_t SlideIntervalFor(int playMode);

}  // namespace slideshow
