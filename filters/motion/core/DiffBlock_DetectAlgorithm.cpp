#include "DiffBlock_DetectAlgorithm.h"

#include <cstring>
#include <limits>
#include <new>

#include "GrayImage.h"

namespace motion {

namespace {

// Block sizes of 4 and more average out the sensor noise by themselves;
// finer pictures are smoothed before they are compared.
constexpr std::uint32_t kDenoiseBelowBlock = 4;
constexpr std::uint8_t kDriftStep = 1;
constexpr int kPlaneCount = 7;

}  // namespace

CDiffBlockDetector::CDiffBlockDetector() = default;

HResult CDiffBlockDetector::AllocateCache(const BitmapInfoHeader& format) {
    format_ = format;
    // Widths are unsigned here, so a negative width is refused as too wide;
    // the height's sign only gives the row order.
    const std::int64_t h = format.biHeight;
    width_ = static_cast<std::uint32_t>(format.biWidth);
    height_ = static_cast<std::uint32_t>(h < 0 ? -h : h);
    planeBytes_ = std::size_t(width_) * height_;
    frameBytes_ = planeBytes_ * 3;
    area_ = MotionRect{0, 0, static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)};

    // An earlier cache belongs to an earlier size: a refused format leaves none.
    cache_.reset();
    accumulators_ = nullptr;
    basePicture_ = nullptr;
    mask_ = baseGray_ = savedGray_ = currentGray_ = dilated_ = work_ = secondDiff_ = nullptr;
    if (width_ < kMinFrameSide || height_ < kMinFrameSide || width_ > kMaxFrameSide || height_ > kMaxFrameSide) {
        // A refused format has no usable size: no list or plane may be sized
        // from it. The area still reports the stream's own frame.
        width_ = height_ = 0;
        planeBytes_ = frameBytes_ = 0;
        return kFail;
    }

    const std::uint64_t accumulatorBytes = std::uint64_t(width_) * 3 * sizeof(std::uint32_t);
    const std::uint64_t total = accumulatorBytes + std::uint64_t(frameBytes_) +
                                kPlaneCount * std::uint64_t(planeBytes_);
    if (total > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max())) return kFail;
    // Zeroed, so that a base taken before the first frame is a defined black.
    cache_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(total)]());
    if (!cache_) return kFail;

    std::uint8_t* p = cache_.get();
    accumulators_ = reinterpret_cast<std::uint32_t*>(p);
    p += accumulatorBytes;
    basePicture_ = p;
    p += frameBytes_;
    std::uint8_t** planes[kPlaneCount] = {&mask_,    &baseGray_, &savedGray_, &currentGray_,
                                          &dilated_, &work_,     &secondDiff_};
    for (std::uint8_t** plane : planes) {
        *plane = p;
        p += planeBytes_;
    }

    // The reduced size must match the new frame even before a level is set.
    const ReducedSize reduced = ComputeReducedSize(width_, height_, LevelSettingsFor(level_).blockSize);
    blockInUse_ = reduced.block;
    zWidth_ = reduced.width;
    zHeight_ = reduced.height;
    return kOk;
}

HResult CDiffBlockDetector::SetDetectLevel(std::uint32_t level, MotionRect* rect) {
    level_ = level > kMaxLevel ? kMaxLevel : level;
    const LevelSettings settings = LevelSettingsFor(level_);
    blockSize_ = settings.blockSize;
    threshold_ = settings.threshold;
    coverage_ = 1;

    const ReducedSize reduced = ComputeReducedSize(width_, height_, blockSize_);
    blockInUse_ = reduced.block;
    zWidth_ = reduced.width;
    zHeight_ = reduced.height;
    if (reduced.recomputed) blockSize_ = reduced.block;
    // At most one run starts every other column; reserving that now keeps
    // the passes free of allocations.
    runsA_.Reserve(zWidth_ / 2 + 1);
    runsB_.Reserve(zWidth_ / 2 + 1);

    if (rect) *rect = area_;
    // Without a cache there is no base picture to rebuild from.
    if (cache_) xSetBaseFrame(basePicture_, true, BaseSource::TakeNow);
    return kOk;
}

HResult CDiffBlockDetector::MarkMotionRect(const int* flag) {
    if (!flag) return kPointer;
    markRect_ = *flag;
    return kOk;
}

HResult CDiffBlockDetector::MarkMotionOnVideo(const int* flag) {
    if (!flag) return kPointer;
    markVideo_ = *flag;
    return kOk;
}

void CDiffBlockDetector::xShrinkToCurrentGray(const std::uint8_t* frame, std::uint8_t* out) {
    xZoomOutRGB2Gray(work_, frame, width_, height_, blockInUse_, zWidth_, zHeight_, accumulators_);
    if (blockSize_ >= kDenoiseBelowBlock)
        std::memcpy(out, work_, ReducedBytes());
    else
        xDeNoise(out, work_, zWidth_, zHeight_);
}

int CDiffBlockDetector::DetectFrame(const std::uint8_t* frame, int mode, MotionRect& rect) {
    if (!frame || !cache_) return 0;
    xShrinkToCurrentGray(frame, currentGray_);
    xDiffGray(work_, baseGray_, currentGray_, zWidth_, zHeight_, static_cast<std::uint8_t>(threshold_));

    xDilation(dilated_, work_, zWidth_, zHeight_);
    xLabelRegions(dilated_, zWidth_, zHeight_, regions_, runsA_, runsB_);
    const bool found = xDropSmallRegions(regions_);

    int result = 0;
    if (found) {
        if (mode != kModeFixedBase) {
            if (markVideo_) {
                xDiffGray(secondDiff_, savedGray_, currentGray_, zWidth_, zHeight_,
                          static_cast<std::uint8_t>(threshold_));
                const bool changed = xCheckDiff(secondDiff_, zWidth_, zHeight_, coverage_, rect);
                xSetBaseFrame(frame, !changed, BaseSource::CurrentGray, currentGray_);
            } else {
                result = 1;
                // The pass's own frame: its gray is the current plane already.
                xSetBaseFrame(frame, false, BaseSource::TakeNow, currentGray_);
            }
            // Taking the base already made the saved gray a copy of this frame's.
            // Only the gray is kept: nothing compares against the saved colour
            // picture, and copying it cost a frame copy per pass.
            if (!baseUpdated_) std::memcpy(savedGray_, currentGray_, ReducedBytes());
        }
        if (markRect_) {
            const auto b = static_cast<std::int32_t>(blockInUse_);
            rect.left *= b;
            rect.top *= b;
            rect.right *= b;
            rect.bottom *= b;
        }
        if (markVideo_) result = 1;
    }
    xMoveImgForword(baseGray_, currentGray_, zWidth_, zHeight_, kDriftStep);
    return result;
}

void CDiffBlockDetector::xSetBaseFrame(const std::uint8_t* frame, bool refresh, BaseSource source,
                                       const std::uint8_t* grayOfFrame) {
    if (!frame || !cache_) {
        baseUpdated_ = 0;
        return;
    }
    const bool take = DecideBaseFrame(source, refresh);
    if (take) {
        if (!grayOfFrame) {
            xShrinkToCurrentGray(frame, baseGray_);
            grayOfFrame = baseGray_;
        }
        xTakeBase(frame, grayOfFrame);
    }
    baseUpdated_ = take ? 1 : 0;
}

void CDiffBlockDetector::xTakeBase(const std::uint8_t* frame, const std::uint8_t* grayOfFrame) {
    if (frame != basePicture_) std::memcpy(basePicture_, frame, frameBytes_);
    if (grayOfFrame != baseGray_) std::memcpy(baseGray_, grayOfFrame, ReducedBytes());
    std::memcpy(savedGray_, baseGray_, ReducedBytes());
}

HResult CDiffBlockDetector::SetBaseFrame(const std::uint8_t* frame, int /*mode*/) {
    if (!frame || !cache_) return kFail;
    xSetBaseFrame(frame, true, BaseSource::TakeNow);
    return kOk;
}

HResult CDiffBlockDetector::GetBaseFrame(BitmapInfoHeader* header, std::uint8_t* buffer, std::uint32_t* size) const {
    if (!header || !size) return kPointer;
    *header = format_;
    if (!buffer) {
        *size = static_cast<std::uint32_t>(frameBytes_);
        return kOk;
    }
    if (!cache_ || *size < frameBytes_) return kFail;
    std::memcpy(buffer, basePicture_, frameBytes_);
    return kOk;
}

int CDiffBlockDetector::MarkMotion(std::uint8_t* frame, Colour colour) {
    if (!markVideo_ || !frame || !cache_) return 0;
    if (markRect_) {
        xMergeRects(regions_);
        for (const MotionRegion& r : regions_) {
            if (r.merged) continue;
            const MotionRect rect{static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                                  static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
            // Rectangles are always yellow, whatever colour the caller asked for.
            xDrawRect(frame, width_, height_, rect, blockInUse_, kMarkYellow);
        }
    } else {
        // The dilated plane is the dilation of the pass's first difference.
        xZoomInGray(mask_, dilated_, width_, height_, blockInUse_, zWidth_, zHeight_);
        xImgOutline(mask_, frame, width_, height_, colour);
    }
    return 0;
}

}  // namespace motion
