// The detector controller: keeps the user's settings, runs the detection
// state machine on every frame handed to it, thins the passes out to the
// requested interval and raises the graph events.
//
// Frames arrive on the streaming thread while settings calls may arrive from
// any thread at the same time. One leaf lock guards the settings and the
// algorithm; events are collected under it and raised after it is released,
// so that a sink which calls back into the filter cannot deadlock.
#pragma once

#include <mutex>

#include "CDetectorBase.h"
#include "DiffBlock_DetectAlgorithm.h"

namespace motion {

class CDetectorNonThread : public CDetectorBase {
public:
    explicit CDetectorNonThread(ITickSource& ticks);
    ~CDetectorNonThread() override;
    CDetectorNonThread(const CDetectorNonThread&) = delete;
    CDetectorNonThread& operator=(const CDetectorNonThread&) = delete;

    HResult SetFormat(const BitmapInfoHeader* format) override;
    HResult Init(IDetectorGraph* graph) override;
    HResult Uninit() override;
    HResult SetDetectParams(int level, int mode, MotionRect* rect) override;
    HResult SetDetectInterval(int milliseconds) override;
    HResult MarkMotionRect(int* flag) override;
    HResult MarkMotionOnVideo(int* flag) override;
    HResult StartDetect() override;
    HResult StopDetect() override;
    HResult GetBaseFrame(BitmapInfoHeader* header, std::uint8_t* buffer, std::uint32_t* size) override;
    HResult ResetBaseFrame() override;
    HResult GetParams(int* level, int* mode, int* state, int* interval, MotionRect* rect, int* markRect,
                      int* markVideo) override;
    HResult ProcessFrame(std::uint8_t* frame, std::size_t length) override;

    // The frame size detection runs at (0 until a successful Init).
    std::size_t FrameBytes() const;

private:
    struct PendingEvents {
        struct Event {
            std::int32_t code;
            std::intptr_t param1;
            std::intptr_t param2;
        };
        Event items[2];
        int count = 0;
        void Add(std::int32_t code, std::intptr_t p1, std::intptr_t p2) { items[count++] = Event{code, p1, p2}; }
    };

    bool Dynamic() const { return mode_ != kModeFixedBase; }
    // Stores a mark flag, hands it to the algorithm and writes it back.
    HResult StoreMarkFlag(int* flag, int& field, HResult (CDiffBlockDetector::*apply)(const int*));
    void xProcFrame(std::uint8_t* frame, PendingEvents& events);
    void xStartDetect(std::uint8_t* frame, PendingEvents& events);
    void xResetBF(std::uint8_t* frame, PendingEvents& events);
    void xStopDetect();

    ITickSource& ticks_;
    mutable std::mutex lock_;

    IDetectorGraph* graph_ = nullptr;
    IMotionEventSink* sink_ = nullptr;
    CDiffBlockDetector algorithm_;
    int enabled_ = 0;
    std::uint32_t level_ = 5;
    int mode_ = kModeDynamicBase;
    int dtState_ = kStateIdle;
    std::uint32_t interval_ = 0;
    int markRect_ = 0;
    int markVideo_ = 0;
    MotionRect rect_{};
    BitmapInfoHeader format_{};
    // Whether a frame arrived since Init; the frame itself is never kept,
    // its sample goes back to the allocator after the call.
    bool haveFrame_ = false;
};

// MAKELONG(low, high) as a graph event parameter.
std::intptr_t PackEventWords(std::int32_t low, std::int32_t high);

}  // namespace motion
