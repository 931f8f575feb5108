// The cross-fade: the old slide (what the window shows) and the new picture
// are mixed in the blend buffer in twenty steps, the new picture's weight
// rising along a quarter sine.
//
// The mix is one weighted sum per channel of the two pictures, computed
// here. Blending the new picture over black and then the old slide over that
// with per-pixel source alpha gives the same sum only while the old slide's
// fourth bytes are 0: true for a copy of a 24-bit screen, not for a buffer
// GDI+ has drawn into (it writes 255 there), where the new picture would
// fade in darkened. Mixing the pixels ourselves gives the weights of the
// table on every display and in every buffer.
#include "Transitions.h"

#include "PlayerEvent.h"
#include "SlideComposer.h"
#include "TransitionMath.h"

namespace slideshow {

int CrossFadeTransition(const TransitionContext& context) {
    CScreenBuffers& buffers = context.buffers;
    const int width = buffers.Width();
    const int height = buffers.Height();
    std::unique_ptr<CDibBuffer> oldSlide = CDibBuffer::Create(buffers.Target(), width, height);
    if (!oldSlide) return 0;
    if (!BitBlt(oldSlide->Dc(), 0, 0, width, height, buffers.Target(), 0, 0, SRCCOPY)) return 0;
    if (!ComposeFitted(context.picture, buffers.Composition(), Backdrop::WholeBuffer)) return 0;
    GdiFlush();

    CDibBuffer& blend = buffers.Blend();
    for (int step = 0; step < kCrossFadeSteps; ++step) {
        // Looked at before the first step too: a navigation or a pause that
        // came while the pictures were prepared has put the user's picture
        // on screen, and no step may cover it.
        if (WaitForPlayerEvent(context.event, 0)) break;
        if (step == kCrossFadeSteps - 1) {
            BitBlt(blend.Dc(), 0, 0, width, height, buffers.Composition().Dc(), 0, 0, SRCCOPY);
        } else {
            GdiFlush();  // the last step's copy must be done before the bits change
            BlendPlane(buffers.Composition().PlaneAt(0, 0), oldSlide->PlaneAt(0, 0), blend.PlaneAt(0, 0), width, height,
                       CrossFadeAlpha(step));
        }
        BitBlt(buffers.Target(), 0, 0, width, height, blend.Dc(), 0, 0, SRCCOPY);
        // A stop or a navigation leaves this step on screen.
        if (WaitForPlayerEvent(context.event, 50)) break;
    }
    return 1;
}

}  // namespace slideshow
