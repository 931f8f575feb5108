#pragma once
// Ports of browse mode that write every call into one log, a playback
// engine that answers from a list of times, and a worker run inline.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "BrowsePorts.h"
#include "ButtonKeys.h"
#include "CBrowseControl.h"

namespace vimbrel::controller::test {

inline std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// The playback exports over a script: PlayFile's duration and first frame,
// the times GetCurrentPlaybackTime reads one after the other (an empty list
// fails the read) and whether pause and resume are refused.
struct PlaybackScript {
    float duration = 10.0f;
    int firstFrame = 1;
    int playResult = 1;
    int pauseResult = 1;
    std::deque<float> times;
    std::vector<std::string> calls;
};
inline PlaybackScript& Playback() {
    static PlaybackScript script;
    return script;
}

namespace playback {
inline int PlayFile(const EngineWChar* path, EngineWindow, float* duration, EngineDc* dc, int w, int h, int* drawn) {
    const char16_t* text = reinterpret_cast<const char16_t*>(path);
    Playback().calls.push_back("PlayFile(" + Narrow(text) + "," + std::to_string(w) + "x" + std::to_string(h) +
                               (dc ? ",dc" : ",nodc") + ")");
    if (Playback().playResult != 1) return 0;
    *duration = Playback().duration;
    *drawn = Playback().firstFrame;
    return 1;
}
inline int GetCurrentPlaybackTime(float* seconds) {
    if (Playback().times.empty()) return 0;
    *seconds = Playback().times.front();
    Playback().times.pop_front();
    return 1;
}
inline int PausePlayback() {
    Playback().calls.push_back("PausePlayback");
    return Playback().pauseResult;
}
inline int ResumePlayback() {
    Playback().calls.push_back("ResumePlayback");
    return Playback().pauseResult;
}
inline int StopPlayback() {
    Playback().calls.push_back("StopPlayback");
    return 1;
}
inline int SetPlaybackPosition(float percent) {
    char text[32];
    std::snprintf(text, sizeof text, "SetPlaybackPosition(%.1f)", static_cast<double>(percent));
    Playback().calls.push_back(text);
    return 1;
}
}  // namespace playback

inline EngineApi PlaybackEngineApi() {
    EngineApi api;
    api.PlayFile = &playback::PlayFile;
    api.GetCurrentPlaybackTime = &playback::GetCurrentPlaybackTime;
    api.PausePlayback = &playback::PausePlayback;
    api.ResumePlayback = &playback::ResumePlayback;
    api.StopPlayback = &playback::StopPlayback;
    api.SetPlaybackPosition = &playback::SetPlaybackPosition;
    return api;
}

// The name a key colour has in the browse panel's log.
inline std::string KeyName(std::uint32_t key) {
    Button button{};
    if (!ButtonOfKey(key, &button)) return "?";
    switch (button) {
    case Button::PlayPause: return "play";
    case Button::StopPlaying: return "stop";
    case Button::Search: return "search";
    case Button::Print: return "print";
    case Button::SaveAs: return "saveas";
    default: return "other";
    }
}

class CBrowseLog {
public:
    void Add(std::string call) { calls.push_back(std::move(call)); }
    // The calls that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& call : calls)
            if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
        return found;
    }
    bool Has(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
    std::vector<std::string> calls;
};

class CRecordingHost final : public IBrowseHost {
public:
    explicit CRecordingHost(CBrowseLog& log) : log_(log) {}
    bool IsStarted() const override { return started; }
    int ModeId() const override { return mode; }
    const EngineApi* LoadedEngine() const override { return loaded ? &api : nullptr; }
    ControllerWindow CanvasWindow() const override { return nullptr; }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        log_.Add("Enable(" + std::to_string(panel) + "," + KeyName(key) + "," + std::to_string(enable) + ")");
        return 1;
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        log_.Add("Toggle(" + std::to_string(panel) + "," + KeyName(key) + "," + std::to_string(state) + ")");
        return 1;
    }
    int NotifySliderListeners(int kind, std::intptr_t w, std::intptr_t l) override {
        log_.Add("Slider(" + std::to_string(kind) + "," + std::to_string(w) + "," + std::to_string(l) + ")");
        return 1;
    }
    int SetOverlayTime(int seconds) override {
        log_.Add("OverlayTime(" + std::to_string(seconds) + ")");
        return 1;
    }
    int RefreshOverlay() override {
        log_.Add("RefreshOverlay");
        return 1;
    }
    bool started = true;
    int mode = 4;
    bool loaded = true;
    EngineApi api = PlaybackEngineApi();

private:
    CBrowseLog& log_;
};

class CRecordingTabs final : public IBrowseTabsPort {
public:
    explicit CRecordingTabs(CBrowseLog& log) : log_(log) {}
    bool GetCurrentFile(std::u16string* path, int* mediaClass) override {
        log_.Add("Tabs.GetCurrentFile");
        if (!present) return false;
        *path = currentPath;
        *mediaClass = currentClass;
        return true;
    }
    bool Navigate(int direction) override {
        log_.Add("Tabs.Navigate(" + std::to_string(direction) + ")");
        if (!moves) return false;
        currentPath = nextPath;
        currentClass = nextClass;
        return true;
    }
    bool present = true;
    std::u16string currentPath;
    int currentClass = -1;
    bool moves = true;
    std::u16string nextPath;
    int nextClass = -1;

private:
    CBrowseLog& log_;
};

class CRecordingCanvas final : public IPhotoCanvasPort {
public:
    explicit CRecordingCanvas(CBrowseLog& log) : log_(log) {}
    class CSurface final : public IFrameSurface {
    public:
        explicit CSurface(CBrowseLog& log) : log_(log) {}
        ~CSurface() override { log_.Add("Canvas.FreeSurface"); }
        EngineDc* Dc() override { return &dc_; }
        bool ShowOnCanvas() override {
            log_.Add("Canvas.ShowFirstFrame");
            return true;
        }

    private:
        CBrowseLog& log_;
        EngineDc dc_ = nullptr;
    };

    bool HasCanvas() const override { return present; }
    bool ShowFile(const std::u16string& path, bool editable) override {
        return Add("Canvas.ShowFile(" + Narrow(path) + "," + (editable ? "1" : "0") + ")");
    }
    bool ShowAudioPicture() override { return Add("Canvas.ShowAudioPicture"); }
    bool Clear() override { return Add("Canvas.Clear"); }
    void EnableEditing(bool on) override { Add(std::string("Canvas.Editing(") + (on ? "1" : "0") + ")"); }
    bool IsModified() const override { return modified; }
    bool SaveImage(const std::u16string& path) override {
        Add("Canvas.Save(" + Narrow(path) + ")");
        if (!saveWorks) return false;
        existing.insert(path);
        modified = false;
        return true;
    }
    void SetPenWidth(float width) override { Add("Canvas.PenWidth(" + std::to_string(static_cast<int>(width)) + ")"); }
    void SetPenColor(std::uint32_t colour) override { Add("Canvas.PenColor(" + std::to_string(colour) + ")"); }
    bool SetImageStamp(const std::u16string& path) override { return Add("Canvas.ImageStamp(" + Narrow(path) + ")"); }
    bool SetBrushStamp(const std::u16string& path) override { return Add("Canvas.BrushStamp(" + Narrow(path) + ")"); }
    void SetTool(int tool) override { Add("Canvas.Tool(" + std::to_string(tool) + ")"); }
    void ApplyEffect(int id) override { Add("Canvas.Effect(" + std::to_string(id) + ")"); }
    void SetFrame(const std::u16string& path) override { Add("Canvas.Frame(" + Narrow(path) + ")"); }
    std::unique_ptr<IFrameSurface> OpenFrameSurface(int width, int height) override {
        Add("Canvas.OpenSurface(" + std::to_string(width) + "x" + std::to_string(height) + ")");
        return std::make_unique<CSurface>(log_);
    }
    bool FileExists(const std::u16string& path) const override { return existing.count(path) != 0; }

    bool present = true;
    bool modified = false;
    bool saveWorks = true;
    std::set<std::u16string> existing;

private:
    bool Add(std::string call) {
        log_.Add(std::move(call));
        return present;
    }
    CBrowseLog& log_;
};

class CScriptedPrompt final : public ISaveModifiedPrompt {
public:
    explicit CScriptedPrompt(CBrowseLog& log) : log_(log) {}
    SaveAnswer Ask() override {
        log_.Add("Prompt");
        return answer;
    }
    SaveAnswer answer = SaveAnswer::Yes;

private:
    CBrowseLog& log_;
};

// Keeps the body of the last start; RunPending runs it on this thread with
// sleeps that pass at once (or a stop that arrives after some sleeps).
class CInlineWorker final : public IProgressWorker {
public:
    explicit CInlineWorker(CBrowseLog& log) : log_(log) {}
    bool Start(ProgressBody body) override {
        log_.Add("Worker.Start");
        pending = std::move(body);
        return true;
    }
    void Stop() override {
        if (pending) log_.Add("Worker.Stop");
        pending = nullptr;
    }
    bool IsRunning() const override { return static_cast<bool>(pending); }
    void RunPending() {
        ASSERT_TRUE(pending) << "no worker was started";
        ProgressBody body = std::move(pending);
        pending = nullptr;
        CContext context(*this);
        body(context);
    }
    ProgressBody pending;
    int sleeps = 0;
    int stopAfterSleeps = -1;  // -1: never

private:
    class CContext final : public IProgressContext {
    public:
        explicit CContext(CInlineWorker& owner) : owner_(owner) {}
        bool Sleep(int ms) override {
            EXPECT_EQ(ms, 100);
            ++owner_.sleeps;
            return !StopRequested();
        }
        bool StopRequested() const override {
            return owner_.stopAfterSleeps >= 0 && owner_.sleeps >= owner_.stopAfterSleeps;
        }

    private:
        CInlineWorker& owner_;
    };
    CBrowseLog& log_;
};

struct BrowseRig {
    BrowseRig() { Playback() = PlaybackScript{}; }
    CBrowseLog log;
    CRecordingHost host{log};
    CRecordingTabs tabs{log};
    CRecordingCanvas canvas{log};
    CScriptedPrompt prompt{log};
    CInlineWorker worker{log};
    CBrowseControl browse{BrowsePorts{host, tabs, canvas, prompt, worker, u"C:\\Prog"}};
};

}  // namespace vimbrel::controller::test
