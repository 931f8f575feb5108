#include "CCaptureSequences.h"

#include "ButtonKeys.h"
#include "SequenceRules.h"

namespace vimbrel::controller {
namespace {

constexpr int kModeImagePanel = 3;
constexpr int kImageMedia = 0;
constexpr int kFlashOff = 1;
constexpr int kFlashSettleMs = 200;
constexpr int kBannerFrameMs = 100;
constexpr int kBurstGapMs = 500;
constexpr int kRecordingTimeStepMs = 250;
// The engine's text buffer takes 63 characters and the terminator.
constexpr std::size_t kDateTextLimit = 63;

bool IsRecordingState(int state) { return (state >= 1 && state <= 3) || state == 5; }

}  // namespace

CCaptureSequences::CCaptureSequences(ISequenceHost& host, ICaptureFx& fx, IWorkerThreads& workers,
                                     ISequenceClock& clock)
    : host_(host), fx_(fx), workers_(workers), clock_(clock) {}

// --- One picture ---------------------------------------------------------------

int CCaptureSequences::CaptureImage() { return TakePicture(nullptr); }

int CCaptureSequences::TakePicture(IWorkerContext* worker) {
    const EngineApi* api = host_.LoadedEngine();
    if (host_.ModeId() != 3 || host_.CaptureState() != 0 || api == nullptr || api->CaptureImage == nullptr) return 0;
    std::unique_lock<std::mutex> picture(pictureLock_, std::try_to_lock);
    if (!picture.owns_lock()) return 0;

    workers_.Start(WorkerKind::Banner, [this](IWorkerContext& context) { CaptureBannerThread(context); });
    if (!FireFlash(1, worker)) {
        // Stopped while the flash settled: no picture is half taken.
        FireFlash(0);
        return 0;
    }
    fx_.PlayShutterSound();
    std::u16string name;
    const int taken = CaptureNamedPicture(*api, &name);
    FireFlash(0);
    if (!taken) return 0;
    if (fx_.BoardProductContains(u"R2Tj")) fx_.CopyToPicturesFolder(name);
    return 1;
}

int CCaptureSequences::CaptureNamedPicture(const EngineApi& api, std::u16string* name) {
    std::lock_guard<std::mutex> hold(host_.CaptureLock());
    // The engine writes to whatever it is given: an exhausted counter or a
    // path without an exact ANSI form must not reach it.
    constexpr std::size_t kNameCapacity = 128;
    if (!host_.MakeCaptureName(kImageMedia, name) || name->empty() || name->size() >= kNameCapacity) return 0;
    auto ansi = host_.WideToAnsi(*name);
    if (!ansi || ansi->empty() || ansi->size() >= kNameCapacity) return 0;
    return api.CaptureImage(ansi->c_str()) == 1 ? 1 : 0;
}

int CCaptureSequences::FireFlash(int on, IWorkerContext* worker) {
    if (host_.FlashSetting() == kFlashOff) return 1;
    const EngineApi* api = host_.LoadedEngine();
    auto gamma = api != nullptr ? api->SetGammaCorrect : nullptr;
    if (on) {
        fx_.Flash(true);
        if (gamma) gamma(1);
        if (worker != nullptr) return worker->Sleep(kFlashSettleMs) ? 1 : 0;
        clock_.Sleep(kFlashSettleMs);
    } else {
        if (gamma) gamma(0);
        fx_.Flash(false);
    }
    return 1;
}

void CCaptureSequences::CaptureBannerThread(IWorkerContext& context) {
    std::unique_ptr<IBannerAnimation> banner = fx_.OpenBanner();
    if (!banner) return;
    const int frames = banner->FrameCount();
    for (int frame = 0; frame < frames; ++frame) {
        if (context.StopRequested()) return;
        banner->DrawFrame(frame, host_.BannerRect());
        if (!context.Sleep(kBannerFrameMs)) return;
    }
}

// --- Bursts and self-timers --------------------------------------------------

void CCaptureSequences::StartBurst(int pictures) {
    workers_.Start(WorkerKind::Burst,
                   [this, pictures](IWorkerContext& context) { BurstCaptureThread(context, pictures); });
}

void CCaptureSequences::BurstCaptureThread(IWorkerContext& context, int pictures) {
    for (int picture = 0; picture < pictures; ++picture) {
        if (context.StopRequested()) return;
        TakePicture(&context);
        if (!context.Sleep(kBurstGapMs)) return;
    }
    host_.RefreshOverlay();
    host_.EnablePanelButton(kModeImagePanel, KeyOf(Button::CaptureImage), 1);
}

bool CCaptureSequences::BlinkCountdown(IWorkerContext& context, int seconds) {
    for (const BlinkStep& step : SelfTimerBlinkSteps(seconds)) {
        host_.SetOverlayIcon(step.icon);
        if (!context.Sleep(step.milliseconds)) return false;
    }
    host_.SetOverlayIcon(kIconNone);
    return true;
}

void CCaptureSequences::StartImageTimer(int parameter) {
    workers_.Stop(WorkerKind::ImageTimer);
    workers_.Start(WorkerKind::ImageTimer,
                   [this, parameter](IWorkerContext& context) { ImageTimerThread(context, parameter); });
}

void CCaptureSequences::ImageTimerThread(IWorkerContext& context, int parameter) {
    const TimerParameter timer = DecodeTimerParameter(parameter);
    if (!BlinkCountdown(context, timer.seconds)) return;
    const int pictures = BurstPictureCount(timer.choice);
    if (pictures > 0) {
        StartBurst(pictures);
        return;
    }
    // The single picture; an entry outside the list is taken as one too,
    // since the capture key stays disabled until a sequence gives it back.
    TakePicture(&context);
    host_.EnablePanelButton(kModeImagePanel, KeyOf(Button::CaptureImage), 1);
}

void CCaptureSequences::StartRecordTimer(int parameter) {
    workers_.Stop(WorkerKind::RecordTimer);
    workers_.Start(WorkerKind::RecordTimer,
                   [this, parameter](IWorkerContext& context) { RecordTimerThread(context, parameter); });
}

void CCaptureSequences::RecordTimerThread(IWorkerContext& context, int parameter) {
    const TimerParameter timer = DecodeTimerParameter(parameter);
    if (!BlinkCountdown(context, timer.seconds)) return;
    static constexpr Button kRecordKey[] = {Button::CaptureVideo, Button::CaptureVideoOnly, Button::CaptureAudio};
    const int panel = timer.choice;
    if (panel >= 0 && panel <= 2) {
        const std::uint32_t key = KeyOf(kRecordKey[panel]);
        host_.EnablePanelButton(panel, key, 1);
        if (host_.StartRecording(panel)) {
            host_.EnablePanelButton(panel, KeyOf(Button::Stop), 1);
        } else {
            // Nothing records: the key shows its record face again and
            // there is nothing to stop.
            host_.SetPanelToggle(panel, key, 0);
        }
    }
    host_.RefreshOverlay();
}

// --- Recording time ----------------------------------------------------------

void CCaptureSequences::StartRecordingTime() {
    workers_.Stop(WorkerKind::RecordingTime);
    workers_.Start(WorkerKind::RecordingTime, [this](IWorkerContext& context) { RecordingTimeThread(context); });
}

void CCaptureSequences::RecordingTimeThread(IWorkerContext& context) {
    for (int step = 0;; step = (step + 1) % 4) {
        if (context.StopRequested()) return;
        const EngineApi* api = host_.LoadedEngine();
        float seconds = 0.0f;
        if (!IsRecordingState(host_.CaptureState()) || api == nullptr || api->GetCurrentRecordingTime == nullptr ||
            api->GetCurrentRecordingTime(&seconds) != 1) {
            host_.SetOverlayIcon(kIconOff);
            host_.SetOverlayTime(-1);
            return;
        }
        host_.SetOverlayTime(WholeRecordingSeconds(seconds));
        if (!context.Sleep(kRecordingTimeStepMs)) return;
        if (step == 0)
            host_.SetOverlayIcon(host_.CaptureState() == 5 ? kIconPaused : kIconRecording);
        else if (step == 2)
            host_.SetOverlayIcon(kIconOff);
    }
}

// --- Date overlay ------------------------------------------------------------

int CCaptureSequences::UpdateDateOverlay(int dateType) {
    const EngineApi* api = host_.LoadedEngine();
    if (api == nullptr || api->SetText == nullptr || api->EnableText == nullptr) return 0;
    // An unknown type changes nothing: the running clock and its text stay.
    if (dateType < 0 || dateType > kDateOverlayNone) return 0;
    if (dateType != dateType_.load()) {
        // Stopped outside the date lock: the clock may be waiting for it.
        workers_.Stop(WorkerKind::DateClock);
        dateType_ = dateType;
    }
    std::lock_guard<std::mutex> hold(dateLock_);
    if (dateType == kDateOverlayNone) {
        api->EnableText(0);
        lastDateText_.clear();
        return 1;
    }
    std::string text = DateOverlayText(dateType, clock_.Now()).value_or(std::string());
    if (text.size() > kDateTextLimit) text.resize(kDateTextLimit);
    if (text != lastDateText_) {
        lastDateText_ = text;
        // The text is digits and separators, the same in every ANSI code page.
        std::u16string wide(text.begin(), text.end());
        api->SetText(EngineText(wide.c_str()));
        api->EnableText(1);
    }
    if (!workers_.IsRunning(WorkerKind::DateClock))
        workers_.Start(WorkerKind::DateClock, [this](IWorkerContext& context) { DateOverlayClock(context); });
    return 1;
}

void CCaptureSequences::DateOverlayClock(IWorkerContext& context) {
    while (context.Sleep(MillisecondsToNextSecond(clock_.Now()))) {
        const int type = dateType_.load();
        if (type < 0 || type >= kDateOverlayNone) return;
        UpdateDateOverlay(type);
    }
}

void CCaptureSequences::ClearLastDateText() {
    std::lock_guard<std::mutex> hold(dateLock_);
    lastDateText_.clear();
}

std::string CCaptureSequences::LastDateText() const {
    std::lock_guard<std::mutex> hold(dateLock_);
    return lastDateText_;
}

void CCaptureSequences::StopWorkers() { workers_.Close(); }

}  // namespace vimbrel::controller
