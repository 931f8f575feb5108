// The two walks over the streams of a Windows Media profile that fit it to
// a recording: the video walk drops a sound stream no device can feed and
// gives the picture stream the camera's frame size; the sound walk drops
// the picture streams and sets the sound bitrate. The profile itself is
// behind a small port, so that the walks can be checked without the
// platform.
#pragma once

#include "failtrail/ResultCode.h"

#include <cstdint>

namespace camera {

// A result in the platform's convention: negative is a failure and is
// passed back unchanged.
using StepResult = failtrail::HResult;
constexpr StepResult kStepDone = 0;

enum class AsfStreamType { Audio, Video, Other };

class IAsfProfileStreams {
public:
    virtual ~IAsfProfileStreams() = default;
    virtual StepResult StreamCount(std::uint32_t& count) = 0;
    // Reads stream index and tells its type; the calls below act on the
    // stream read last.
    virtual StepResult ReadStream(std::uint32_t index, AsfStreamType& type) = 0;
    virtual StepResult RemoveStream() = 0;
    // Gives the picture stream the frame size the recording will have.
    virtual StepResult FitVideoFrame() = 0;
    virtual StepResult SetAudioBitrate(std::uint32_t bitsPerSecond) = 0;
};

// haveAudioDevice: a sound stream is kept only when something feeds it.
// haveFrameSize: without a current video format the picture keeps the
// profile's frame size.
StepResult WalkVideoProfile(IAsfProfileStreams& streams, bool haveAudioDevice, bool haveFrameSize);

StepResult WalkSoundProfile(IAsfProfileStreams& streams, std::uint32_t audioBitsPerSecond);

}  // namespace camera
