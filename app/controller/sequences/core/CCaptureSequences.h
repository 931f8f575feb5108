#pragma once
// Taking a picture with its banner, flash and sound, and the worker
// sequences around it: bursts, the image and record self-timers, the
// recording-time display and the date overlay clock.
//
// Every worker can be asked to stop: it checks between steps and sleeps on
// its stop signal, so a stop never cuts into an engine or overlay call, and
// StopWorkers ends them all (within a bound) before the controller lets the
// engine and the overlay go.

#include <atomic>
#include <mutex>
#include <string>

#include "ControllerPartners.h"
#include "SequencePorts.h"

namespace vimbrel::controller {

class CCaptureSequences final : public ICaptureSequences {
public:
    CCaptureSequences(ISequenceHost& host, ICaptureFx& fx, IWorkerThreads& workers, ISequenceClock& clock);
    CCaptureSequences(const CCaptureSequences&) = delete;
    CCaptureSequences& operator=(const CCaptureSequences&) = delete;

    // One picture in Mode_Image while nothing records: banner, flash,
    // sound, name, engine, flash off, the board's copy. 1 done; 0 refused,
    // failed, or while another picture is being taken.
    int CaptureImage() override;
    void StartImageTimer(int parameter) override;
    void StartRecordTimer(int parameter) override;
    void StartBurst(int pictures) override;
    void StartRecordingTime() override;
    // Type 0..3; 0 when the engine cannot draw text or the type is unknown.
    int UpdateDateOverlay(int dateType) override;
    void ClearLastDateText() override;
    void StopWorkers() override;

    // The white flash (on 1, off 0); nothing when the Flash setting is off.
    // On a worker the flash's settling is one of the worker's waits: 0 when
    // the worker was asked to stop meanwhile.
    int FireFlash(int on, IWorkerContext* worker = nullptr);
    int CurrentDateType() const { return dateType_.load(); }
    std::string LastDateText() const;

private:
    // The thread procedures, each run on a worker of its own.
    void CaptureBannerThread(IWorkerContext& context);
    void BurstCaptureThread(IWorkerContext& context, int pictures);
    void ImageTimerThread(IWorkerContext& context, int parameter);
    void RecordTimerThread(IWorkerContext& context, int parameter);
    void RecordingTimeThread(IWorkerContext& context);
    void DateOverlayClock(IWorkerContext& context);
    // One picture, from the interface thread (worker null) or a worker.
    int TakePicture(IWorkerContext* worker);
    // The self-timer's blinking; false when the worker was stopped.
    bool BlinkCountdown(IWorkerContext& context, int seconds);
    // Name and engine call under the capture lock; 0 when no name or no
    // ANSI path could be made, or the engine refused.
    int CaptureNamedPicture(const EngineApi& api, std::u16string* name);

    ISequenceHost& host_;
    ICaptureFx& fx_;
    IWorkerThreads& workers_;
    ISequenceClock& clock_;
    // One picture at a time: a second one (the hardware button during a
    // burst) is refused rather than queued behind the first's flash.
    std::mutex pictureLock_;
    mutable std::mutex dateLock_;
    std::atomic<int> dateType_{-1};
    std::string lastDateText_;
};

}  // namespace vimbrel::controller
