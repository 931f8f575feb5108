#include "PlayerRules.h"

#include "PlayMode.h"

namespace slideshow {

PlayerAction ActionForKey(unsigned virtualKey) {
    switch (virtualKey) {
    case 27: return PlayerAction::Stop;         // Esc
    case 32: return PlayerAction::TogglePause;  // Space
    case 33: return PlayerAction::Previous;     // PageUp
    case 34: return PlayerAction::Next;         // PageDown
    case 35: return PlayerAction::Last;         // End
    case 36: return PlayerAction::First;        // Home
    default: return PlayerAction::None;
    }
}

PlayerAction ActionForCommand(unsigned command) {
    switch (command) {
    case 0: return PlayerAction::First;
    case 1: return PlayerAction::Previous;
    case 2: return PlayerAction::Next;
    case 3: return PlayerAction::Last;
    case 4: return PlayerAction::TogglePause;
    case 5: return PlayerAction::SwitchEffect;
    case 6: return PlayerAction::Exit;
    default: return PlayerAction::None;
    }
}

int SwitchedPlayMode(int playMode) { return playMode == kPlayCrossFade ? kPlayFilmStrip : kPlayCrossFade; }

int NavigateCursor(CSlideList& list, NavigateTarget target, int playMode, bool wasNavigated, std::u16string& name) {
    switch (target) {
    case NavigateTarget::First: return list.First(name);
    case NavigateTarget::Last: return list.Last(name);
    case NavigateTarget::Previous: return list.Previous(name);
    case NavigateTarget::Next:
        if (playMode == kPlayFilmStrip && !wasNavigated) return list.Current(name);
        return list.Next(name);
    case NavigateTarget::Current: return list.Current(name);
    }
    return 0;
}

int ComputeButtonStates(CSlideList& list, bool paused, ButtonStates* states) {
    if (!states) return 0;
    bool hasPrevious = false;
    bool hasNext = false;
    if (!list.Neighbours(&hasPrevious, &hasNext)) return 0;
    states->firstAndPrevious = hasPrevious;
    states->nextAndLast = hasNext;
    states->playPauseState = paused ? 1 : 2;
    return 1;
}

WorkerStep NextWorkerStep(int playMode, bool paused, bool navigated) {
    if (playMode == kPlayStop) return WorkerStep::Leave;
    if (paused) return WorkerStep::WaitWhilePaused;
    if (navigated) return WorkerStep::WaitAfterNavigation;
    return playMode == kPlayFilmStrip ? WorkerStep::FilmStrip : WorkerStep::PlaySlides;
}

std::uint32_t SlideIntervalFor(int playMode) { return playMode == kPlayCrossFade ? 5000u : 2000u; }

}  // namespace slideshow
