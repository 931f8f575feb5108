// The one engine state behind the flat API: the plain values, the windows,
// the graphs and filters it owns, and the device and format lists.
#pragma once

#include "engine/core/BurstBlend.h"
#include "engine/core/CaptureDeviceList.h"
#include "engine/win/ComHelpers.h"
#include "engine/core/EngineValues.h"
#include "engine/core/GuardedSlot.h"
#include "engine/win/VideoFormatList.h"

#include <qedit.h>

#include <mutex>

namespace camera {

using DeviceList = CCaptureDeviceList<ComPtr<IMoniker>>;
using GraphSlot = CGuardedSlot<ComPtr<IGraphBuilder>>;

struct CaptureEngineState {
    EngineValues values;

    HMODULE module = nullptr;
    HWND previewWindow = nullptr;
    HWND hiddenWindow = nullptr;
    HWND monitorNotifyWindow = nullptr;
    // The renderer window the engine last put into the preview window; a
    // rebuild may remove it, never a window of the caller's.
    HWND attachedVideoWindow = nullptr;

    // Graphs. The three that time queries and the end-of-file event can
    // race with are slots; readers take their own reference.
    GraphSlot previewGraph;
    ComPtr<ICaptureGraphBuilder2> previewBuilder;
    ComPtr<IMediaControl> previewControl;
    GraphSlot audioGraph;
    ComPtr<ICaptureGraphBuilder2> audioBuilder;
    ComPtr<IGraphBuilder> monitorGraph;
    ComPtr<IMediaControl> monitorControl;
    GraphSlot playbackGraph;
    LONGLONG playbackDuration = 0;
    // Orders pause, resume, seek and a new file's start against a stop on
    // another thread: each checks and changes the graph it finds in the
    // slot while holding this, and a stop takes the graph out of the slot
    // while holding it, so that a graph taken out is never run again.
    // Never held while a graph is taken apart.
    std::mutex playbackOrder;

    // Filters, each referenced once here and reused by every build.
    ComPtr<IBaseFilter> videoCapture;
    ComPtr<IBaseFilter> audioCapture;
    ComPtr<IBaseFilter> effect;
    ComPtr<IBaseFilter> motion;
    ComPtr<IBaseFilter> smartTee;
    ComPtr<IBaseFilter> aviMux;
    ComPtr<IBaseFilter> fileWriter;
    ComPtr<IBaseFilter> asfWriter;
    ComPtr<IBaseFilter> audioControl;
    ComPtr<IBaseFilter> grabberFilter;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IBaseFilter> dsoundRenderer;
    ComPtr<IAMCameraControl> cameraControl;
    ComPtr<IAMAudioInputMixer> microphoneMixer;
    ComPtr<IBaseFilter> audioFileMux;
    ComPtr<IFileSinkFilter> audioFileSink;

    DeviceList videoDevices;
    DeviceList audioDevices;
    CVideoFormatList videoFormats;

    // The zoom factor and the mirror flag are stored and sent to the
    // effects filter as one: the user's zoom and the rotation poll's mirror
    // come from two threads.
    std::mutex zoomLock;

    // The picture a burst builds; one burst at a time.
    std::mutex burstLock;
    CBurstAccumulator burst;

    // What Initialize set up on its thread, undone by Uninitialize.
    bool comInitialized = false;
    DWORD initThread = 0;
    ULONG_PTR gdiplusToken = 0;
};

// The engine state; created when the library loads.
CaptureEngineState& Engine();
// Releases everything the state still holds (library unload by FreeLibrary).
void DestroyEngine();

// Every COM reference, list and window handle back to its initial value,
// and the plain values that describe them to what a fresh load has; the
// settings callers chose stay.
void ReleaseEngineObjects(CaptureEngineState& state);

}  // namespace camera
