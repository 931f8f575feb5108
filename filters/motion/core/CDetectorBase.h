// The detector interface the motion filter drives: settings, the streaming
// lifecycle and one call per frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DetectorPorts.h"
#include "MotionTypes.h"

namespace motion {

class CDetectorBase {
public:
    virtual ~CDetectorBase() = default;

    virtual HResult SetFormat(const BitmapInfoHeader* format) = 0;
    virtual HResult Init(IDetectorGraph* graph) = 0;
    virtual HResult Uninit() = 0;
    virtual HResult SetDetectParams(int level, int mode, MotionRect* rect) = 0;
    virtual HResult SetDetectInterval(int milliseconds) = 0;
    virtual HResult MarkMotionRect(int* flag) = 0;
    virtual HResult MarkMotionOnVideo(int* flag) = 0;
    virtual HResult StartDetect() = 0;
    virtual HResult StopDetect() = 0;
    virtual HResult GetBaseFrame(BitmapInfoHeader* header, std::uint8_t* buffer, std::uint32_t* size) = 0;
    virtual HResult ResetBaseFrame() = 0;
    virtual HResult GetParams(int* level, int* mode, int* state, int* interval, MotionRect* rect, int* markRect,
                              int* markVideo) = 0;
    // frame holds length bytes of RGB24; marks may be drawn into it.
    virtual HResult ProcessFrame(std::uint8_t* frame, std::size_t length) = 0;
};

}  // namespace motion
