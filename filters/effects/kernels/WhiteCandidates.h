#pragma once
// The white candidates of the automatic white balance: the pixels bright
// enough to show the light's colour, less the highlights far brighter than
// their mean, and the mean colour of those that remain.
//
// The means of X, Y and Z that decide which pixels to drop are exact. Every
// X, Y and Z here is a float that is 0 or at least 2^-18 and below 2, so it
// is a whole number of 2^-41 units below 2^42, and whole numbers add up
// exactly in any order. A double added pixel after pixel would round after
// every pixel instead, making the result depend on the order of the pixels,
// which leaves no room for adding them up any faster way.

#include <cstdint>

#include "kernels/FrameView.h"
#include "kernels/Scratch.h"

namespace vimbrel::effects {

// Mean red, green and blue of some pixels, and how many they were.
struct ChannelMeans {
    double mean[3] = {0, 0, 0};  // red, green, blue
    uint64_t count = 0;
};

// Means from whole-number sums (red, green, blue); all zero without pixels.
ChannelMeans MeansOf(const uint64_t sum[3], uint64_t count);

constexpr int kXyzUnitBits = 41;

// An X, Y or Z, or a sum of them below 2^11, in 2^-41 units.
uint64_t XyzUnits(double value);

// A sum of XYZ units that no frame size can overflow (two 64-bit words).
class CExactSum {
public:
    void Add(uint64_t units);
    void Subtract(uint64_t units);
    // 3 x sum / count rounded up to a whole unit; count > 0.
    uint64_t ThreeTimesMeanRoundedUp(uint64_t count) const;

private:
    uint64_t low_ = 0;
    uint64_t high_ = 0;
};

// The smallest float at or above 3 x the mean of `count` values summing to
// `sum`: a value is dropped exactly when it is at or above this limit.
float DropLimit(const CExactSum& sum, uint64_t count);

// The mean colour of every pixel of the frame.
ChannelMeans MeanOfAllPixels(const RgbFrame& frame);

// Candidates: Y at least minY + 0.05 x (maxY - minY) over the frame; then,
// round after round, those with X, Y or Z at or above three times the
// candidates' mean are dropped, until a round drops none. The mean colour of
// the survivors (count 0 when none survive).
ChannelMeans MeanOfWhiteCandidates(const RgbFrame& frame, CScratch& scratch);
// The same as a mask over the frame, walked whole every round with XYZ
// recomputed per pixel: what MeanOfWhiteCandidates must match.
ChannelMeans MeanOfWhiteCandidatesPlain(const RgbFrame& frame, CScratch& scratch);

}  // namespace vimbrel::effects
