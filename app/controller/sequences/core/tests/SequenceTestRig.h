#pragma once
// The sequences over ports that write every call into one timeline, stamped
// with a virtual clock in milliseconds. Worker bodies are queued when
// started and run one after another by RunWorkers, their sleeps moving the
// clock on; a worker's sleep fails once the clock passes the run's limit.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ButtonKeys.h"
#include "CCaptureSequences.h"
#include "EngineTestDoubles.h"
#include "SequenceRules.h"

namespace vimbrel::controller::test {

inline std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

class CSequenceRig;
// The rig whose timeline the engine slots below write to.
inline CSequenceRig*& CurrentRig() {
    static CSequenceRig* rig = nullptr;
    return rig;
}

class CSequenceRig final : public ISequenceHost, public ICaptureFx, public IWorkerThreads, public ISequenceClock {
public:
    CSequenceRig() {
        CurrentRig() = this;
        fakeengine::Engine().Reset();
        api = FakeEngineApi();
        api.CaptureImage = [](const char* path) {
            Rig().Log(std::string("CaptureImage(") + path + ")");
            return Rig().engineTakesPicture ? 1 : 0;
        };
        api.SetGammaCorrect = [](int on) { return Rig().Log("Gamma(" + std::to_string(on) + ")"); };
        api.SetText = [](const EngineWChar* text) {
            return Rig().Log("SetText(" + Narrow(reinterpret_cast<const char16_t*>(text)) + ")");
        };
        api.EnableText = [](int on) { return Rig().Log("EnableText(" + std::to_string(on) + ")"); };
        api.GetCurrentRecordingTime = [](float* seconds) {
            if (!Rig().recordingTimeReadable) return 0;
            *seconds = static_cast<float>(Rig().now) / 1000.0f;
            return 1;
        };
    }
    ~CSequenceRig() override { CurrentRig() = nullptr; }
    static CSequenceRig& Rig() { return *CurrentRig(); }

    // "t=<ms> <event>"
    int Log(const std::string& event) {
        timeline.push_back("t=" + std::to_string(now) + " " + event);
        return 1;
    }
    // Only the events that contain one of the words.
    std::vector<std::string> Only(std::initializer_list<const char*> words) const {
        std::vector<std::string> kept;
        for (const std::string& line : timeline)
            for (const char* word : words)
                if (line.find(word) != std::string::npos) {
                    kept.push_back(line);
                    break;
                }
        return kept;
    }

    // --- host
    int ModeId() const override { return mode; }
    int CaptureState() const override { return captureStateAt ? captureStateAt(now) : captureState; }
    const EngineApi* LoadedEngine() const override { return engineLoaded ? &api : nullptr; }
    std::mutex& CaptureLock() override { return captureLock; }
    int FlashSetting() const override { return flashSetting; }
    ControllerRect BannerRect() const override { return {10, 20, 190, 60}; }
    int MakeCaptureName(int kind, std::u16string* name) override {
        Log("MakeCaptureName(" + std::to_string(kind) + ")");
        if (!nameAvailable) return 0;
        *name = u"C:\\M\\image" + std::u16string(1, static_cast<char16_t>(u'0' + nextName++)) + u".jpg";
        return 1;
    }
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override {
        for (char16_t unit : text)
            if (unit > 0x7F) return std::nullopt;
        return Narrow(text);
    }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        return Log("Enable(" + std::to_string(panel) + "," + KeyName(key) + "," + std::to_string(enable) + ")");
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        return Log("Toggle(" + std::to_string(panel) + "," + KeyName(key) + "," + std::to_string(state) + ")");
    }
    int RefreshOverlay() override { return Log("RefreshOverlay"); }
    int SetOverlayIcon(int icon) override { return Log("Icon(" + std::to_string(icon) + ")"); }
    int SetOverlayTime(int seconds) override { return Log("Time(" + std::to_string(seconds) + ")"); }
    int StartRecording(int panel) override {
        Log("StartRecording(" + std::to_string(panel) + ")");
        return recordingStarts ? 1 : 0;
    }

    // --- effects
    class CBanner final : public IBannerAnimation {
    public:
        explicit CBanner(int frames) : frames_(frames) {}
        int FrameCount() const override { return frames_; }
        void DrawFrame(int index, const ControllerRect& r) override {
            Rig().Log("BannerFrame(" + std::to_string(index) + " at " + std::to_string(r.left) + "," +
                      std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")");
        }

    private:
        int frames_;
    };
    std::unique_ptr<IBannerAnimation> OpenBanner() override {
        if (bannerFrames < 0) return nullptr;
        return std::make_unique<CBanner>(bannerFrames);
    }
    void Flash(bool on) override {
        Log(std::string("Flash(") + (on ? "1" : "0") + ")");
        if (on && onFlash) onFlash();
    }
    void PlayShutterSound() override { Log("Sound"); }
    bool BoardProductContains(std::u16string_view text) override { return ContainsIgnoringCase(boardProduct, text); }
    void CopyToPicturesFolder(const std::u16string& path) override { Log("CopyToPictures(" + Narrow(path) + ")"); }

    // --- workers
    bool Start(WorkerKind kind, WorkerBody body) override {
        if (closed) return false;
        Log("Start(" + KindName(kind) + ")");
        queue.push_back({kind, std::move(body), false});
        return true;
    }
    bool IsRunning(WorkerKind kind) const override {
        for (const Queued& worker : queue)
            if (worker.kind == kind && !worker.stopped) return true;
        return running.size() > 0 && std::find(running.begin(), running.end(), kind) != running.end();
    }
    void Stop(WorkerKind kind) override {
        for (Queued& worker : queue)
            if (worker.kind == kind && !worker.stopped) {
                worker.stopped = true;
                Log("Stop(" + KindName(kind) + ")");
            }
    }
    void Close() override {
        closed = true;
        for (Queued& worker : queue) worker.stopped = true;
        queue.clear();
    }
    // Runs the queued workers, including those they start, until none is left.
    void RunWorkers(int limitMs = 1000000) {
        while (!queue.empty()) {
            Queued worker = std::move(queue.front());
            queue.pop_front();
            if (worker.stopped) continue;
            CContext context(*this, limitMs);
            running.push_back(worker.kind);
            worker.body(context);
            running.pop_back();
        }
    }

    // --- clock
    ClockReading Now() const override {
        ClockReading reading = start;
        long long ms = start.millisecond + now;
        long long seconds = start.second + ms / 1000;
        long long minutes = start.minute + seconds / 60;
        reading.millisecond = static_cast<int>(ms % 1000);
        reading.second = static_cast<int>(seconds % 60);
        reading.minute = static_cast<int>(minutes % 60);
        reading.hour = static_cast<int>((start.hour + minutes / 60) % 24);
        return reading;
    }
    void Sleep(int ms) override { now += ms; }

    static std::string KeyName(std::uint32_t key) {
        static const std::pair<Button, const char*> kNames[] = {{Button::CaptureImage, "CaptureImageKey"},
                                                                {Button::CaptureVideo, "CaptureVideoKey"},
                                                                {Button::CaptureVideoOnly, "CaptureVideoOnlyKey"},
                                                                {Button::CaptureAudio, "CaptureAudioKey"},
                                                                {Button::Stop, "StopKey"}};
        for (const auto& [button, name] : kNames)
            if (KeyOf(button) == key) return name;
        return "?";
    }
    static std::string KindName(WorkerKind kind) {
        static const char* const kNames[] = {"Banner",      "Burst",         "ImageTimer",
                                             "RecordTimer", "RecordingTime", "DateClock"};
        return kNames[static_cast<int>(kind)];
    }

    // Settings of the scene.
    int mode = 3;
    int captureState = 0;
    std::function<int(long long)> captureStateAt;
    bool engineLoaded = true;
    bool engineTakesPicture = true;
    bool nameAvailable = true;
    bool recordingStarts = true;
    bool recordingTimeReadable = true;
    int flashSetting = 0;
    int nextName = 0;
    int bannerFrames = -1;  // no banner picture
    std::u16string boardProduct = u"Base Board";
    std::function<void()> onFlash;
    ClockReading start{2026, 7, 3, 9, 5, 0, 0};

    EngineApi api;
    long long now = 0;
    std::vector<std::string> timeline;
    CCaptureSequences sequences{*this, *this, *this, *this};

private:
    struct Queued {
        WorkerKind kind;
        WorkerBody body;
        bool stopped;
    };
    class CContext final : public IWorkerContext {
    public:
        CContext(CSequenceRig& rig, int limitMs) : rig_(rig), limit_(limitMs) {}
        bool Sleep(int ms) override {
            if (rig_.now + ms > limit_) return false;
            rig_.now += ms;
            return true;
        }
        bool StopRequested() const override { return false; }

    private:
        CSequenceRig& rig_;
        long long limit_;
    };

    std::mutex captureLock;
    std::deque<Queued> queue;
    std::vector<WorkerKind> running;
    bool closed = false;
};

}  // namespace vimbrel::controller::test
