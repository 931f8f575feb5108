#include "engine/core/AsfStreamWalk.h"

#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// Visits every stream once. A removed stream's place is taken by the one
// behind it, so the walk stays at that index with one stream fewer:
// stepping on would skip a stream and then read past the shortened list.
template <class ShouldRemove, class Adjust>
StepResult WalkStreams(IAsfProfileStreams& streams, ShouldRemove shouldRemove, Adjust adjust) {
    std::uint32_t count = 0;
    RETURN_IF_FAILED(streams.StreamCount(count));
    for (std::uint32_t index = 0; index < count;) {
        AsfStreamType type = AsfStreamType::Other;
        RETURN_IF_FAILED(streams.ReadStream(index, type));
        if (shouldRemove(type)) {
            RETURN_IF_FAILED(streams.RemoveStream());
            --count;
            continue;
        }
        RETURN_IF_FAILED(adjust(type));
        ++index;
    }
    return kStepDone;
}

}  // namespace

StepResult WalkVideoProfile(IAsfProfileStreams& streams, bool haveAudioDevice, bool haveFrameSize) {
    return WalkStreams(
        streams, [&](AsfStreamType type) { return type == AsfStreamType::Audio && !haveAudioDevice; },
        [&](AsfStreamType type) {
            return type == AsfStreamType::Video && haveFrameSize ? streams.FitVideoFrame() : kStepDone;
        });
}

StepResult WalkSoundProfile(IAsfProfileStreams& streams, std::uint32_t audioBitsPerSecond) {
    return WalkStreams(
        streams, [](AsfStreamType type) { return type == AsfStreamType::Video; },
        [&](AsfStreamType type) {
            return type == AsfStreamType::Audio ? streams.SetAudioBitrate(audioBitsPerSecond) : kStepDone;
        });
}

}  // namespace camera
