// The film strip's numbers: where a frame's parts sit, how far a cycle has
// got, how the featured picture grows out of its frame and fades, and which
// columns of the incoming frame enter the strip.
#pragma once

#include "FitToScreen.h"

#include <cstdint>
#include <string>

namespace slideshow {

// One cycle per picture: the strip crawls one frame width in this time.
constexpr std::uint32_t kFilmCycleMs = 10000;
// Phases run 0..219 within a cycle; each phase moves the strip 2 pixels.
constexpr int kFilmPhasesPerCycle = 220;
constexpr int kFilmPixelsPerPhase = 2;
// The featured picture zooms from its frame to the screen over phases 0..15
// and is blended over the strip up to phase 160.
constexpr int kFilmZoomPhases = 15;
constexpr int kFilmLastBlendPhase = 160;

// Where a frame's parts sit, relative to its top-left corner.
constexpr FittedRect kFilmPictureBox{22, 63, 400, 300};
constexpr FittedRect kFilmDateBox{117, 5, 200, 25};
// The name box of the frames laid at the start is 210 wide, of the frames
// that come in later 220 wide; both end-align the name.
constexpr FittedRect kFilmNameBoxFirst{200, 400, 210, 25};
constexpr FittedRect kFilmNameBoxLater{200, 400, 220, 25};

// The phase after `elapsedMs` of a cycle. The factor 0.0001 is the
// single-precision constant, which lies just below 1/10000, so 10,000 ms
// still gives 219; the product is formed in double so that every compiler
// and FPU mode agrees.
int FilmPhase(std::uint32_t elapsedMs);

// The featured picture's weight over the strip at a phase; -1 above phase
// 160, where it is no longer blended.
int FeaturedAlpha(int phase);

// The featured picture's rectangle at a phase: from `small` (its place in
// its own frame at the strip's left end) at phase 0 to `large` (fitted to
// the screen) at phase 15 and after, each member interpolated in integer
// arithmetic.
FittedRect FeaturedRectAt(int phase, const FittedRect& small, const FittedRect& large);

// The strip moved `movedBefore` pixels this cycle and now moves `step` more:
// the new columns at its left come from this x of the composition buffer
// (the incoming frame sits at its right edge and enters right side first).
inline int IncomingColumnsFrom(int screenWidth, int movedBefore, int step) { return screenWidth - movedBefore - step; }

// The date of a frame: "year/month/day" without leading zeros.
std::u16string FilmDateText(int year, int month, int day);

}  // namespace slideshow
