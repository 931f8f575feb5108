#include "SlideLoop.h"

#include "PlayMode.h"

namespace slideshow {

namespace {

// Releases the stage's picture on every way out of the loop.
class CPictureGuard {
public:
    explicit CPictureGuard(ISlideStage& stage) : stage_(stage) {}
    ~CPictureGuard() { stage_.ReleasePicture(); }
    CPictureGuard(const CPictureGuard&) = delete;
    CPictureGuard& operator=(const CPictureGuard&) = delete;

private:
    ISlideStage& stage_;
};

}  // namespace

int PlaySlides(CSlideList& list, int mode, std::uint32_t intervalMs, ISlideStage& stage) {
    std::u16string name;
    // The show wraps: past the last picture it starts again at the first,
    // and a fresh list (cursor unset) starts at its first.
    if (!list.Next(name)) list.First(name);
    stage.NotifyCursorMoved();
    stage.ClearScreen();
    if (list.Count() == 0) return 1;

    CPictureGuard guard(stage);
    for (;;) {
        stage.ReleasePicture();
        // The user-interface thread may have moved the cursor, or freed the
        // list, since the last move: show whatever the cursor is on now.
        if (!list.Current(name)) return 1;
        if (!stage.LoadPicture(name)) return 0;
        // A navigation or a pause while the picture decoded has put the
        // user's picture on screen; a transition now would cover it.
        if (stage.EventSet()) return 1;
        if (IsTransitionMode(mode) && !stage.RunTransition(mode)) return 0;
        if (stage.WaitForEvent(intervalMs)) return 1;
        const bool more = list.Next(name) != 0;
        stage.NotifyCursorMoved();
        if (!more) return 1;
    }
}

}  // namespace slideshow
