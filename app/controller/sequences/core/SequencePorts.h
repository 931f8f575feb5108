#pragma once
// What the capture sequences need around them: the controller's state and
// operations, the picture effects (banner, white flash, shutter sound, the
// board quirk), worker threads that can be asked to stop, and the local
// clock. On Windows these are real threads and windows; tests run the
// thread bodies inline on a virtual clock and write every call down.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "ControllerView.h"
#include "EngineApi.h"

namespace vimbrel::controller {

// The controller as the sequences see it.
class ISequenceHost {
public:
    virtual ~ISequenceHost() = default;
    virtual int ModeId() const = 0;
    virtual int CaptureState() const = 0;
    // The bound engine, or null while camera.dll is not loaded.
    virtual const EngineApi* LoadedEngine() const = 0;
    // Held around a capture's name and its engine call, so that no two
    // captures (pictures, recordings, monitor pictures) take one name.
    virtual std::mutex& CaptureLock() = 0;
    // The Flash setting: 1 is off, anything else on.
    virtual int FlashSetting() const = 0;
    virtual ControllerRect BannerRect() const = 0;
    // The next free name of a capture of that media kind; 0 when none.
    virtual int MakeCaptureName(int mediaKind, std::u16string* name) = 0;
    virtual std::optional<std::string> WideToAnsi(std::u16string_view text) const = 0;
    virtual int EnablePanelButton(int panel, std::uint32_t key, int enable) = 0;
    virtual int SetPanelToggle(int panel, std::uint32_t key, int state) = 0;
    virtual int RefreshOverlay() = 0;
    virtual int SetOverlayIcon(int icon) = 0;
    virtual int SetOverlayTime(int seconds) = 0;
    // Starts the recording of panel 0 (video), 1 (video only) or 2 (audio).
    virtual int StartRecording(int panel) = 0;
};

// The animated capture banner, frame by frame.
class IBannerAnimation {
public:
    virtual ~IBannerAnimation() = default;
    virtual int FrameCount() const = 0;
    virtual void DrawFrame(int index, const ControllerRect& rect) = 0;
};

// The seen and heard parts of taking a picture.
class ICaptureFx {
public:
    virtual ~ICaptureFx() = default;
    // The banner picture, or null when it cannot be loaded.
    virtual std::unique_ptr<IBannerAnimation> OpenBanner() = 0;
    // The full-screen white window with the panel at a fixed brightness.
    virtual void Flash(bool on) = 0;
    // Starts the shutter sound without waiting for it.
    virtual void PlayShutterSound() = 0;
    // Whether the board's product name contains text, without regard to case.
    virtual bool BoardProductContains(std::u16string_view text) = 0;
    // Tells the user about, then copies the picture into, the My Pictures
    // folder (an existing file there is kept).
    virtual void CopyToPicturesFolder(const std::u16string& path) = 0;
};

enum class WorkerKind { Banner, Burst, ImageTimer, RecordTimer, RecordingTime, DateClock };

// What a worker body sees of its thread.
class IWorkerContext {
public:
    virtual ~IWorkerContext() = default;
    // Waits ms milliseconds; false, at once, when the worker is asked to stop.
    virtual bool Sleep(int ms) = 0;
    virtual bool StopRequested() const = 0;
};

using WorkerBody = std::function<void(IWorkerContext&)>;

class IWorkerThreads {
public:
    virtual ~IWorkerThreads() = default;
    // A new worker of that kind; earlier ones of the kind go on. False when
    // no thread could be started (or the workers were closed).
    virtual bool Start(WorkerKind kind, WorkerBody body) = 0;
    virtual bool IsRunning(WorkerKind kind) const = 0;
    // Asks every worker of the kind to stop and waits for them, within a
    // bound. A worker that stops its own kind is not waited for.
    virtual void Stop(WorkerKind kind) = 0;
    // Stops every worker and starts no more.
    virtual void Close() = 0;
};

struct ClockReading {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class ISequenceClock {
public:
    virtual ~ISequenceClock() = default;
    virtual ClockReading Now() const = 0;
    // A plain wait (the flash's settling time).
    virtual void Sleep(int ms) = 0;
};

}  // namespace vimbrel::controller
