// The five ways a new picture reaches the screen. Each takes the loaded
// picture, draws through the composition buffer into the window's device
// context, and returns 1 when it ran (also when the player's event cut it
// short) or 0 when a drawing step failed.
#pragma once

#include "DissolveOrder.h"
#include "ScreenBuffers.h"

#include <windows.h>
#include <gdiplus.h>

namespace slideshow {

struct TransitionContext {
    Gdiplus::Bitmap& picture;
    CScreenBuffers& buffers;
    HANDLE event;         // the player's event; may be null
    RandomSource random;  // the C library's rand() in the player
};

int CutTransition(const TransitionContext& context);
int BlockDissolveTransition(const TransitionContext& context);
int CrossFadeTransition(const TransitionContext& context);
int PanTransition(const TransitionContext& context);
int ColumnDissolveTransition(const TransitionContext& context);

// The transition a play mode names (1..5); any other mode draws nothing and
// succeeds.
int RunTransition(int mode, const TransitionContext& context);

}  // namespace slideshow
