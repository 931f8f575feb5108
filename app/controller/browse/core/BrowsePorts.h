#pragma once
// What browse mode needs around it: the controller (mode, engine, panel 4,
// slider listeners, overlay), the media tab strip, the photo canvas, the
// question about unsaved edits and a worker thread for the playback
// progress. On Windows these are the real windows and a thread with a stop
// event; tests write every call down and run the worker inline.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ControllerView.h"
#include "EngineApi.h"

namespace vimbrel::controller {

// The controller as browse mode sees it.
class IBrowseHost {
public:
    virtual ~IBrowseHost() = default;
    virtual bool IsStarted() const = 0;
    virtual int ModeId() const = 0;
    // The bound engine, or null while camera.dll is not loaded.
    virtual const EngineApi* LoadedEngine() const = 0;
    // The canvas window the engine draws a video into; null before the
    // main dialog hands it over.
    virtual ControllerWindow CanvasWindow() const = 0;
    virtual int EnablePanelButton(int panel, std::uint32_t key, int enable) = 0;
    virtual int SetPanelToggle(int panel, std::uint32_t key, int state) = 0;
    virtual int NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) = 0;
    virtual int SetOverlayTime(int seconds) = 0;
    virtual int RefreshOverlay() = 0;
};

// The media tab strip.
class IBrowseTabsPort {
public:
    virtual ~IBrowseTabsPort() = default;
    // False when there is no tab strip; otherwise the shown browser's
    // current file ("" when it has none) and its media class.
    virtual bool GetCurrentFile(std::u16string* path, int* mediaClass) = 0;
    // Moves the shown browser (0 first, 1 previous, 2 next, 3 last); false
    // when nothing moved.
    virtual bool Navigate(int direction) = 0;
};

// A memory picture the engine draws a video's first frame into.
class IFrameSurface {
public:
    virtual ~IFrameSurface() = default;
    // The device context handed to the engine (it may replace it).
    virtual EngineDc* Dc() = 0;
    // Shows what was drawn on the canvas, not editable.
    virtual bool ShowOnCanvas() = 0;
};

// The photo canvas. Every operation does nothing (false, 0) without one.
class IPhotoCanvasPort {
public:
    virtual ~IPhotoCanvasPort() = default;
    virtual bool HasCanvas() const = 0;
    virtual bool ShowFile(const std::u16string& path, bool editable) = 0;
    // The program's audio picture, not editable.
    virtual bool ShowAudioPicture() = 0;
    virtual bool Clear() = 0;
    virtual void EnableEditing(bool enable) = 0;
    virtual bool IsModified() const = 0;
    virtual bool SaveImage(const std::u16string& path) = 0;
    virtual void SetPenWidth(float width) = 0;
    virtual void SetPenColor(std::uint32_t colour) = 0;
    virtual bool SetImageStamp(const std::u16string& path) = 0;
    // A stamp drawn in the pen colour.
    virtual bool SetBrushStamp(const std::u16string& path) = 0;
    virtual void SetTool(int tool) = 0;
    virtual void ApplyEffect(int effectId) = 0;
    // Empty takes the frame off.
    virtual void SetFrame(const std::u16string& path) = 0;
    // A screen-compatible picture of that size; null when none can be made.
    virtual std::unique_ptr<IFrameSurface> OpenFrameSurface(int width, int height) = 0;
    virtual bool FileExists(const std::u16string& path) const = 0;
};

// The modal Yes/No/Cancel question before edits would be lost.
enum class SaveAnswer { Yes, No, Cancel };
class ISaveModifiedPrompt {
public:
    virtual ~ISaveModifiedPrompt() = default;
    virtual SaveAnswer Ask() = 0;
};

// What the progress body sees of its thread.
class IProgressContext {
public:
    virtual ~IProgressContext() = default;
    // Waits ms milliseconds; false, at once, when asked to stop.
    virtual bool Sleep(int ms) = 0;
    virtual bool StopRequested() const = 0;
};
using ProgressBody = std::function<void(IProgressContext&)>;

// One playback-progress worker at a time.
class IProgressWorker {
public:
    virtual ~IProgressWorker() = default;
    // Stops a running worker first; false when no thread could be started.
    virtual bool Start(ProgressBody body) = 0;
    // Asks the worker to stop and waits for it, within a bound; does not
    // wait when called from the worker itself.
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

}  // namespace vimbrel::controller
