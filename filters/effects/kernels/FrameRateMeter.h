#pragma once
// Frames per second over the last ten frames, from a ring of time stamps.

#include <cstddef>

namespace vimbrel::effects {

// A time of day (UTC) with milliseconds, as the system clock gives it.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Milliseconds from `earlier` to `later`; a pair that straddles midnight
// counts forward across it instead of giving a negative time.
long ElapsedMilliseconds(const TimeOfDay& earlier, const TimeOfDay& later);

class CFrameRateMeter {
public:
    static constexpr int kRingSize = 10;

    // The next frame starts a new measurement: ten silent frames first.
    void Reset() { index_ = 0; }
    int Index() const { return index_; }

    // Records a frame at `now`. True with the rate in `fps` once ten frames
    // have been seen and time has passed since the frame ten back.
    bool Step(const TimeOfDay& now, double& fps);

private:
    TimeOfDay ring_[kRingSize];
    int index_ = 0;
};

// "%.2f" of the rate into `text` (at least 2 characters; truncated to fit).
void FormatFrameRate(double fps, char16_t* text, std::size_t capacity);

}  // namespace vimbrel::effects
