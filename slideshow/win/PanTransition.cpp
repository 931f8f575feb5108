// The pan: a slow travel over a picture larger than the screen at its
// natural size, down along a quarter sine and across along its square,
// then a zoom back out until the whole picture fits the screen.
//
// The picture at natural size lives in a buffer of its own for the
// transition, so the composition buffer keeps its screen size for the
// transitions that follow. The pauses wait on the player's event: a stop or
// a navigation ends the pan at once instead of after its two seconds.
#include "Transitions.h"

#include "PlayerEvent.h"
#include "SlideComposer.h"
#include "TransitionMath.h"

#include <cstdlib>
#include <ctime>

namespace slideshow {

namespace {

void PaintBands(HDC window, const PanView& view, int w, int h, int W, int H) {
    if (view.sideBands) {
        const int band = (W - w) / 2;
        FillBlack(window, 0, 0, band, H);
        FillBlack(window, (W + w) / 2, 0, W - (W + w) / 2, H);
    }
    if (view.topBottomBands) {
        const int band = (H - h) / 2;
        FillBlack(window, 0, 0, W, band);
        FillBlack(window, 0, (H + h) / 2, W, H - (H + h) / 2);
    }
}

// Step 0: ten blends of the view over what the window shows, each heavier
// than the last. False when the player's event cut the fade short.
bool FadeViewIn(const CScreenBuffers& buffers, const CDibBuffer& natural, const PanView& view, HANDLE event,
                bool* failed) {
    std::unique_ptr<CDibBuffer> screen = CDibBuffer::Create(buffers.Target(), view.width, view.height);
    if (!screen ||
        !BitBlt(screen->Dc(), 0, 0, view.width, view.height, buffers.Target(), view.destX, view.destY, SRCCOPY)) {
        *failed = true;
        return false;
    }
    for (int k = 0; k < kPanFadeInBlends; ++k) {
        GdiFlush();
        BlendPlane(natural.PlaneAt(view.sourceX, view.sourceY), screen->PlaneAt(0, 0), screen->PlaneAt(0, 0),
                   view.width, view.height, PanFadeInAlpha(k));
        BitBlt(buffers.Target(), view.destX, view.destY, view.width, view.height, screen->Dc(), 0, 0, SRCCOPY);
        if (WaitForPlayerEvent(event, 50)) return false;
    }
    return true;
}

}  // namespace

int PanTransition(const TransitionContext& context) {
    CScreenBuffers& buffers = context.buffers;
    const int W = buffers.Width();
    const int H = buffers.Height();
    const int w = static_cast<int>(context.picture.GetWidth());
    const int h = static_cast<int>(context.picture.GetHeight());
    if (w <= 0 || h <= 0) return 0;

    // A fresh seed for the dissolves that follow; the first number drawn
    // after seeding is thrown away.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    (void)std::rand();

    std::unique_ptr<CDibBuffer> natural = CDibBuffer::Create(buffers.Target(), w, h);
    if (!natural) return 0;
    if (!DrawPicturePart(context.picture, natural->Dc(), FittedRect{0, 0, w, h}, FittedRect{0, 0, w, h})) {
        return 0;
    }
    GdiFlush();

    PanView view;
    for (int step = 0; step < kPanSteps; ++step) {
        view = PanViewAt(step, w, h, W, H);
        PaintBands(buffers.Target(), view, w, h, W, H);
        if (step == 0) {
            bool failed = false;
            if (!FadeViewIn(buffers, *natural, view, context.event, &failed)) return failed ? 0 : 1;
        } else {
            BitBlt(buffers.Target(), view.destX, view.destY, view.width, view.height, natural->Dc(), view.sourceX,
                   view.sourceY, SRCCOPY);
        }
        if (WaitForPlayerEvent(context.event, 20)) return 1;
        if (PanHasNoTravel(w, h, W, H)) return 1;
    }

    CDibBuffer& composition = buffers.Composition();
    for (int k = 0; k < kZoomOutFrames; ++k) {
        const FittedRect source = ClipToPicture(ZoomOutSource(k, view.sourceX, view.sourceY, w, h, W, H), w, h);
        FittedRect destination;
        if (!FitToScreen(source.width, source.height, &destination, W, H)) return 0;
        FillBlack(composition.Dc(), 0, 0, W, H);
        if (!DrawPicturePart(context.picture, composition.Dc(), destination, source)) return 0;
        BitBlt(buffers.Target(), 0, 0, W, H, composition.Dc(), 0, 0, SRCCOPY);
        Sleep(1);
    }
    return 1;
}

}  // namespace slideshow
