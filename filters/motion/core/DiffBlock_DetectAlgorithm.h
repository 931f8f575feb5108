// The block-difference motion algorithm: shrinks each RGB24 frame to a small
// gray picture by averaging square blocks, compares it with a gray base
// picture, turns the changed pixels into regions and answers whether motion
// was seen and where. It keeps and refreshes the base frame and draws the
// motion marks onto the frame.
//
// It has no lock: its owner serialises every call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "LevelTable.h"
#include "MotionTypes.h"
#include "ProcessWideState.h"
#include "RegionLabeller.h"

namespace motion {

class CDiffBlockDetector {
public:
    CDiffBlockDetector();
    CDiffBlockDetector(const CDiffBlockDetector&) = delete;
    CDiffBlockDetector& operator=(const CDiffBlockDetector&) = delete;

    // Takes the stream format and allocates the picture cache for it. Frames
    // under 20 or over 8192 pixels on a side get no cache (kFail).
    HResult AllocateCache(const BitmapInfoHeader& format);

    // Applies the level table and the reduced-size rule, writes the detection
    // area into rect when given, and rebuilds the base gray at the new scale.
    HResult SetDetectLevel(std::uint32_t level, MotionRect* rect);

    HResult MarkMotionRect(const int* flag);
    HResult MarkMotionOnVideo(const int* flag);

    // One detection pass; 1 when there is motion to report. rect must come in
    // zeroed. frame must hold FrameBytes() bytes.
    int DetectFrame(const std::uint8_t* frame, int mode, MotionRect& rect);

    // Takes the frame as the base frame now.
    HResult SetBaseFrame(const std::uint8_t* frame, int mode);

    // The stream header always; with buffer null the size needed, else the
    // base picture when the buffer holds at least a frame.
    HResult GetBaseFrame(BitmapInfoHeader* header, std::uint8_t* buffer, std::uint32_t* size) const;

    bool BaseUpdated() const { return baseUpdated_ != 0; }

    // Draws the marks of the last pass onto the frame; returns 0.
    int MarkMotion(std::uint8_t* frame, Colour colour);

    bool HasCache() const { return cache_ != nullptr; }
    std::size_t FrameBytes() const { return frameBytes_; }
    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    std::uint32_t BlockSize() const { return blockSize_; }
    std::uint32_t BlockInUse() const { return blockInUse_; }
    std::uint32_t ReducedWidth() const { return zWidth_; }
    std::uint32_t ReducedHeight() const { return zHeight_; }
    std::uint32_t Threshold() const { return threshold_; }
    const RegionList& Regions() const { return regions_; }

    // Reduced-size planes of the last pass, for inspection.
    const std::uint8_t* BaseGray() const { return baseGray_; }
    const std::uint8_t* CurrentGray() const { return currentGray_; }

private:
    // grayOfFrame: the frame's reduced gray when already computed, else null.
    void xSetBaseFrame(const std::uint8_t* frame, bool refresh, BaseSource source,
                       const std::uint8_t* grayOfFrame = nullptr);
    void xTakeBase(const std::uint8_t* frame, const std::uint8_t* grayOfFrame);
    void xShrinkToCurrentGray(const std::uint8_t* frame, std::uint8_t* out);
    std::size_t ReducedBytes() const { return std::size_t(zWidth_) * zHeight_; }

    BitmapInfoHeader format_{};
    std::uint32_t level_ = 5;
    std::uint32_t blockSize_ = 0;
    std::uint32_t threshold_ = 15;
    std::uint32_t coverage_ = 1;
    MotionRect area_{};
    int markRect_ = 0;
    int markVideo_ = 0;
    int baseUpdated_ = 0;

    std::unique_ptr<std::uint8_t[]> cache_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t blockInUse_ = 1;
    std::uint32_t zWidth_ = 0;
    std::uint32_t zHeight_ = 0;
    std::size_t frameBytes_ = 0;
    std::size_t planeBytes_ = 0;

    // Views into cache_.
    std::uint32_t* accumulators_ = nullptr;
    std::uint8_t* basePicture_ = nullptr;
    std::uint8_t* mask_ = nullptr;
    std::uint8_t* baseGray_ = nullptr;
    std::uint8_t* savedGray_ = nullptr;
    std::uint8_t* currentGray_ = nullptr;
    std::uint8_t* dilated_ = nullptr;
    std::uint8_t* work_ = nullptr;
    std::uint8_t* secondDiff_ = nullptr;

    RegionList regions_;
    RunList runsA_;
    RunList runsB_;
};

}  // namespace motion
