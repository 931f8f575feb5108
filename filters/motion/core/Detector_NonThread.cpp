#include "Detector_NonThread.h"

#include "ProcessWideState.h"
#include "failtrail/FailTrail.h"

namespace motion {

std::intptr_t PackEventWords(std::int32_t low, std::int32_t high) {
    const std::uint32_t packed = (static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                                 (static_cast<std::uint32_t>(low) & 0xFFFFu);
    return static_cast<std::intptr_t>(static_cast<std::int32_t>(packed));
}

CDetectorNonThread::CDetectorNonThread(ITickSource& ticks) : ticks_(ticks) {}

CDetectorNonThread::~CDetectorNonThread() { Uninit(); }

HResult CDetectorNonThread::SetFormat(const BitmapInfoHeader* format) {
    if (!format) return kPointer;
    std::lock_guard<std::mutex> hold(lock_);
    format_ = *format;
    return kOk;
}

HResult CDetectorNonThread::Init(IDetectorGraph* graph) {
    // Asked before taking the lock: the graph is outside code.
    IMotionEventSink* sink = graph ? graph->QueryEventSink() : nullptr;
    std::lock_guard<std::mutex> hold(lock_);
    graph_ = graph;
    sink_ = nullptr;
    haveFrame_ = false;
    if (!graph) return kPointer;
    RETURN_IF_FAILED(algorithm_.AllocateCache(format_));
    algorithm_.SetDetectLevel(level_, &rect_);
    if (!sink) return kNoInterface;
    sink_ = sink;
    return kOk;
}

HResult CDetectorNonThread::Uninit() {
    std::lock_guard<std::mutex> hold(lock_);
    if (Dynamic() || dtState_ == kStateDetecting) xStopDetect();
    sink_ = nullptr;
    graph_ = nullptr;
    return kOk;
}

HResult CDetectorNonThread::SetDetectParams(int level, int mode, MotionRect* rect) {
    std::lock_guard<std::mutex> hold(lock_);
    mode_ = mode;
    // Compared unsigned on purpose: -1 means "most coarse" to old callers.
    level_ = static_cast<std::uint32_t>(level) > kMaxLevel ? kMaxLevel : static_cast<std::uint32_t>(level);
    // Before Init the algorithm has no frame size: the level is only stored.
    if (graph_) algorithm_.SetDetectLevel(level_, &rect_);
    if (rect) *rect = rect_;
    return kOk;
}

HResult CDetectorNonThread::SetDetectInterval(int milliseconds) {
    std::lock_guard<std::mutex> hold(lock_);
    interval_ = static_cast<std::uint32_t>(milliseconds);
    return kOk;
}

HResult CDetectorNonThread::StoreMarkFlag(int* flag, int& field, HResult (CDiffBlockDetector::*apply)(const int*)) {
    if (!flag) return kPointer;
    std::lock_guard<std::mutex> hold(lock_);
    field = *flag;
    (algorithm_.*apply)(&field);
    *flag = field;
    return kOk;
}

HResult CDetectorNonThread::MarkMotionRect(int* flag) {
    return StoreMarkFlag(flag, markRect_, &CDiffBlockDetector::MarkMotionRect);
}

HResult CDetectorNonThread::MarkMotionOnVideo(int* flag) {
    return StoreMarkFlag(flag, markVideo_, &CDiffBlockDetector::MarkMotionOnVideo);
}

HResult CDetectorNonThread::StartDetect() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!graph_) return kFail;
    if (Dynamic()) {
        if (dtState_ == kStateIdle) dtState_ = kStateDetecting;
        enabled_ = 1;
        return kOk;
    }
    // A fixed base frame must be reset before detection can start again.
    if (dtState_ != kStateIdle) return kFail;
    dtState_ = kStateDetecting;
    enabled_ = 1;
    return kOk;
}

HResult CDetectorNonThread::StopDetect() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Dynamic() && dtState_ != kStateDetecting) return kOk;
    xStopDetect();
    return kOk;
}

void CDetectorNonThread::xStopDetect() { enabled_ = 0; }

HResult CDetectorNonThread::GetBaseFrame(BitmapInfoHeader* header, std::uint8_t* buffer, std::uint32_t* size) {
    if (!header || !size) return kPointer;
    std::lock_guard<std::mutex> hold(lock_);
    // A local header: the stream format must survive a call made before the
    // algorithm has seen any format.
    BitmapInfoHeader answer{};
    const HResult hr = algorithm_.GetBaseFrame(&answer, buffer, size);
    *header = answer;
    return hr;
}

HResult CDetectorNonThread::ResetBaseFrame() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!graph_) return kFail;
    dtState_ = kStateResetRequested;
    return kOk;
}

HResult CDetectorNonThread::GetParams(int* level, int* mode, int* state, int* interval, MotionRect* rect, int* markRect,
                                      int* markVideo) {
    std::lock_guard<std::mutex> hold(lock_);
    if (level) *level = static_cast<int>(level_);
    if (mode) *mode = mode_;
    if (state) *state = dtState_;
    if (interval) *interval = static_cast<int>(interval_);
    if (rect) *rect = rect_;
    if (markRect) *markRect = markRect_;
    if (markVideo) *markVideo = markVideo_;
    return kOk;
}

std::size_t CDetectorNonThread::FrameBytes() const {
    std::lock_guard<std::mutex> hold(lock_);
    return algorithm_.HasCache() ? algorithm_.FrameBytes() : 0;
}

HResult CDetectorNonThread::ProcessFrame(std::uint8_t* frame, std::size_t length) {
    PendingEvents events;
    IMotionEventSink* sink = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        // A short sample is passed by untouched: the pictures are a whole frame.
        if (!frame || (algorithm_.HasCache() && length < algorithm_.FrameBytes())) return kOk;
        if (!haveFrame_) {
            haveFrame_ = true;
            algorithm_.SetBaseFrame(frame, mode_);
        }
        xProcFrame(frame, events);
        sink = sink_;
    }
    if (sink) {
        for (int i = 0; i < events.count; ++i)
            sink->Notify(events.items[i].code, events.items[i].param1, events.items[i].param2);
    }
    return kOk;
}

void CDetectorNonThread::xProcFrame(std::uint8_t* frame, PendingEvents& events) {
    if (dtState_ == kStateDetecting)
        xStartDetect(frame, events);
    else if (dtState_ == kStateResetRequested)
        xResetBF(frame, events);
}

void CDetectorNonThread::xStartDetect(std::uint8_t* frame, PendingEvents& events) {
    if (!IntervalGateAllows(interval_, ticks_)) return;
    MotionRect rect{};
    int result = 0;
    if (enabled_) {
        result = algorithm_.DetectFrame(frame, mode_, rect);
        if (result == 1) algorithm_.MarkMotion(frame, kMarkRed);
        if (Dynamic() && algorithm_.BaseUpdated() && sink_) events.Add(EC_BASE_FRAME_SET, 0, 0);
    }
    if (result == 1 && sink_)
        events.Add(EC_MOTION_DETECTED, PackEventWords(rect.left, rect.top), PackEventWords(rect.right, rect.bottom));
}

void CDetectorNonThread::xResetBF(std::uint8_t* frame, PendingEvents& events) {
    if (!Succeeded(algorithm_.SetBaseFrame(frame, mode_))) return;
    if (sink_) events.Add(EC_BASE_FRAME_SET, 0, 0);
    // The state follows the reset whether or not anyone listens for events.
    dtState_ = Dynamic() && enabled_ ? kStateDetecting : kStateIdle;
}

}  // namespace motion
