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
    : m_host(host), m_fx(fx), m_workers(workers), m_clock(clock) {}

// --- One picture ---------------------------------------------------------------

int CCaptureSequences::CaptureImage() {
    const EngineApi* api = m_host.LoadedEngine();
    if (m_host.ModeId() != 3 || m_host.CaptureState() != 0 || api == nullptr ||
        api->CaptureImage == nullptr)
        return 0;
    std::unique_lock<std::mutex> picture(m_pictureLock, std::try_to_lock);
    if (!picture.owns_lock()) return 0;

    m_workers.Start(WorkerKind::Banner, [this](IWorkerContext& context) { CaptureBannerThread(context); });
    FireFlash(1);
    m_fx.PlayShutterSound();
    std::u16string name;
    const int taken = CaptureNamedPicture(*api, &name);
    FireFlash(0);
    if (!taken) return 0;
    if (m_fx.BoardProductContains(u"R2Tj")) m_fx.CopyToPicturesFolder(name);
    return 1;
}

int CCaptureSequences::CaptureNamedPicture(const EngineApi& api, std::u16string* name) {
    std::lock_guard<std::mutex> hold(m_host.CaptureLock());
    // The engine writes to whatever it is given: an exhausted counter or a
    // path without an exact ANSI form must not reach it.
    constexpr std::size_t kNameCapacity = 128;
    if (!m_host.MakeCaptureName(kImageMedia, name) || name->empty() || name->size() >= kNameCapacity)
        return 0;
    auto ansi = m_host.WideToAnsi(*name);
    if (!ansi || ansi->empty() || ansi->size() >= kNameCapacity) return 0;
    return api.CaptureImage(ansi->c_str()) == 1 ? 1 : 0;
}

int CCaptureSequences::FireFlash(int on) {
    if (m_host.FlashSetting() == kFlashOff) return 1;
    const EngineApi* api = m_host.LoadedEngine();
    auto gamma = api != nullptr ? api->SetGammaCorrect : nullptr;
    if (on) {
        m_fx.Flash(true);
        if (gamma) gamma(1);
        m_clock.Sleep(kFlashSettleMs);
    } else {
        if (gamma) gamma(0);
        m_fx.Flash(false);
    }
    return 1;
}

void CCaptureSequences::CaptureBannerThread(IWorkerContext& context) {
    std::unique_ptr<IBannerAnimation> banner = m_fx.OpenBanner();
    if (!banner) return;
    const int frames = banner->FrameCount();
    for (int frame = 0; frame < frames; ++frame) {
        if (context.StopRequested()) return;
        banner->DrawFrame(frame, m_host.BannerRect());
        if (!context.Sleep(kBannerFrameMs)) return;
    }
}

// --- Bursts and self-timers --------------------------------------------------

void CCaptureSequences::StartBurst(int pictures) {
    m_workers.Start(WorkerKind::Burst,
                    [this, pictures](IWorkerContext& context) { BurstCaptureThread(context, pictures); });
}

void CCaptureSequences::BurstCaptureThread(IWorkerContext& context, int pictures) {
    for (int picture = 0; picture < pictures; ++picture) {
        if (context.StopRequested()) return;
        CaptureImage();
        if (!context.Sleep(kBurstGapMs)) return;
    }
    m_host.RefreshOverlay();
    m_host.EnablePanelButton(kModeImagePanel, KeyOf(Button::CaptureImage), 1);
}

bool CCaptureSequences::BlinkCountdown(IWorkerContext& context, int seconds) {
    for (const BlinkStep& step : SelfTimerBlinkSteps(seconds)) {
        m_host.SetOverlayIcon(step.icon);
        if (!context.Sleep(step.milliseconds)) return false;
    }
    m_host.SetOverlayIcon(kIconNone);
    return true;
}

void CCaptureSequences::StartImageTimer(int parameter) {
    m_workers.Stop(WorkerKind::ImageTimer);
    m_workers.Start(WorkerKind::ImageTimer, [this, parameter](IWorkerContext& context) {
        ImageTimerThread(context, parameter);
    });
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
    CaptureImage();
    m_host.EnablePanelButton(kModeImagePanel, KeyOf(Button::CaptureImage), 1);
}

void CCaptureSequences::StartRecordTimer(int parameter) {
    m_workers.Stop(WorkerKind::RecordTimer);
    m_workers.Start(WorkerKind::RecordTimer, [this, parameter](IWorkerContext& context) {
        RecordTimerThread(context, parameter);
    });
}

void CCaptureSequences::RecordTimerThread(IWorkerContext& context, int parameter) {
    const TimerParameter timer = DecodeTimerParameter(parameter);
    if (!BlinkCountdown(context, timer.seconds)) return;
    static constexpr Button kRecordKey[] = {Button::CaptureVideo, Button::CaptureVideoOnly,
                                            Button::CaptureAudio};
    const int panel = timer.choice;
    if (panel >= 0 && panel <= 2) {
        const std::uint32_t key = KeyOf(kRecordKey[panel]);
        m_host.EnablePanelButton(panel, key, 1);
        if (m_host.StartRecording(panel)) {
            m_host.EnablePanelButton(panel, KeyOf(Button::Stop), 1);
        } else {
            // Nothing records: the key shows its record face again and
            // there is nothing to stop.
            m_host.SetPanelToggle(panel, key, 0);
        }
    }
    m_host.RefreshOverlay();
}

// --- Recording time ----------------------------------------------------------

void CCaptureSequences::StartRecordingTime() {
    m_workers.Stop(WorkerKind::RecordingTime);
    m_workers.Start(WorkerKind::RecordingTime,
                    [this](IWorkerContext& context) { RecordingTimeThread(context); });
}

void CCaptureSequences::RecordingTimeThread(IWorkerContext& context) {
    for (int step = 0;; step = (step + 1) % 4) {
        if (context.StopRequested()) return;
        const EngineApi* api = m_host.LoadedEngine();
        float seconds = 0.0f;
        if (!IsRecordingState(m_host.CaptureState()) || api == nullptr ||
            api->GetCurrentRecordingTime == nullptr || api->GetCurrentRecordingTime(&seconds) != 1) {
            m_host.SetOverlayIcon(kIconOff);
            m_host.SetOverlayTime(-1);
            return;
        }
        m_host.SetOverlayTime(WholeRecordingSeconds(seconds));
        if (!context.Sleep(kRecordingTimeStepMs)) return;
        if (step == 0)
            m_host.SetOverlayIcon(m_host.CaptureState() == 5 ? kIconPaused : kIconRecording);
        else if (step == 2)
            m_host.SetOverlayIcon(kIconOff);
    }
}

// --- Date overlay ------------------------------------------------------------

int CCaptureSequences::UpdateDateOverlay(int dateType) {
    const EngineApi* api = m_host.LoadedEngine();
    if (api == nullptr || api->SetText == nullptr || api->EnableText == nullptr) return 0;
    // An unknown type changes nothing: the running clock and its text stay.
    if (dateType < 0 || dateType > kDateOverlayNone) return 0;
    if (dateType != m_dateType.load()) {
        // Stopped outside the date lock: the clock may be waiting for it.
        m_workers.Stop(WorkerKind::DateClock);
        m_dateType = dateType;
    }
    std::lock_guard<std::mutex> hold(m_dateLock);
    if (dateType == kDateOverlayNone) {
        api->EnableText(0);
        m_lastDateText.clear();
        return 1;
    }
    std::string text = DateOverlayText(dateType, m_clock.Now()).value_or(std::string());
    if (text.size() > kDateTextLimit) text.resize(kDateTextLimit);
    if (text != m_lastDateText) {
        m_lastDateText = text;
        // The text is digits and separators, the same in every ANSI code page.
        std::u16string wide(text.begin(), text.end());
        api->SetText(EngineText(wide.c_str()));
        api->EnableText(1);
    }
    if (!m_workers.IsRunning(WorkerKind::DateClock))
        m_workers.Start(WorkerKind::DateClock, [this](IWorkerContext& context) { DateOverlayClock(context); });
    return 1;
}

void CCaptureSequences::DateOverlayClock(IWorkerContext& context) {
    while (context.Sleep(MillisecondsToNextSecond(m_clock.Now()))) {
        const int type = m_dateType.load();
        if (type < 0 || type >= kDateOverlayNone) return;
        UpdateDateOverlay(type);
    }
}

void CCaptureSequences::ClearLastDateText() {
    std::lock_guard<std::mutex> hold(m_dateLock);
    m_lastDateText.clear();
}

std::string CCaptureSequences::LastDateText() const {
    std::lock_guard<std::mutex> hold(m_dateLock);
    return m_lastDateText;
}

void CCaptureSequences::StopWorkers() { m_workers.Close(); }

}  // namespace vimbrel::controller
