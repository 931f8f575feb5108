// Starting and ending the engine.
#include "engine/include/CameraApi.h"
#include "engine/win/DeviceEnumeration.h"
#include "engine/win/EngineObjects.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/GraphEvents.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/HiddenWindow.h"
#include "engine/win/MonitorGraph.h"
#include "engine/win/PreviewGraph.h"

#include <gdiplus.h>

namespace camera {

namespace {

// How long Uninitialize waits for the calls of other threads to return.
constexpr DWORD kCallsDrainMs = 5000;

// The ready flag opens the selection exports for the duration of one call
// during Initialize.
template <class Call>
auto WhileReady(CaptureEngineState& state, Call call) -> decltype(call()) {
    state.values.ready = true;
    auto result = call();
    state.values.ready = false;
    return result;
}

void WriteBackName(wchar_t* buffer, const std::wstring& name) {
    CopyTerminated<char16_t>(reinterpret_cast<char16_t*>(buffer), kDeviceNameCapacity, AsUtf16(name));
}

std::wstring ReadName(const wchar_t* buffer) {
    if (buffer == nullptr) return {};
    return std::wstring(buffer, BoundedLength(buffer, kDeviceNameCapacity));
}

bool OpenAudioDevice(CaptureEngineState& state, wchar_t* audioDeviceName) {
    const std::wstring wanted = ReadName(audioDeviceName);
    if (WhileReady(state, [&] { return SelectAudioDeviceByName(wanted.c_str()); }) == 1) return true;
    if (WhileReady(state, [] { return SelectAudioDevice(0); }) != 1) return false;
    if (audioDeviceName != nullptr) WriteBackName(audioDeviceName, AnsiToWide(state.audioDevices.Find(0)->name));
    return true;
}

void OpenVideoDevice(CaptureEngineState& state, wchar_t* videoDeviceName) {
    const std::wstring wanted = ReadName(videoDeviceName);
    if (WhileReady(state, [&] { return SelectVideoDeviceByName(wanted.c_str()); }) == S_OK) return;
    for (int i = 0; i < state.videoDevices.Count(); ++i) {
        if (WhileReady(state, [i] { return SelectVideoDevice(i, 0, 0); }) == 1) {
            if (videoDeviceName != nullptr)
                WriteBackName(videoDeviceName, FromUtf16(state.videoDevices.Find(i)->wideName));
            return;
        }
    }
}

HRESULT ApplyStartFormat(CaptureEngineState& state, int videoFormatIndex) {
    HRESULT hr = BuildFormatList(state.previewBuilder.Get(), state.videoCapture.Get(), state.videoFormats);
    if (FAILED(hr) || videoFormatIndex < 0 || videoFormatIndex >= state.videoFormats.Count()) return hr;
    ComPtr<IAMStreamConfig> config;
    if (SUCCEEDED(FindCaptureStreamConfig(state.previewBuilder.Get(), state.videoCapture.Get(), config)))
        config->SetFormat(state.videoFormats.At(videoFormatIndex)->MediaType());
    state.values.currentFormatIndex = videoFormatIndex;
    return S_OK;
}

// Stops every graph and lets go of everything Initialize made, down to
// the hidden window, GDI+ and COM, so that the library can be unloaded or
// started again.
void ShutDown(CaptureEngineState& state) {
    StopCaptureGraphs(state);
    EmptyGraph(state.previewGraph.Get().Get());
    EmptyGraph(state.audioGraph.Get().Get());
    ReleaseEngineObjects(state);

    DestroyHiddenWindow(state.hiddenWindow, state.module);
    state.hiddenWindow = nullptr;
    if (state.gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(state.gdiplusToken);
        state.gdiplusToken = 0;
    }
    if (state.comInitialized && state.initThread == GetCurrentThreadId()) CoUninitialize();
    state.comInitialized = false;
}

int Fail(CaptureEngineState& state) {
    ShutDown(state);
    return 0;
}

int InitializeNow(int mode, int videoFormatIndex, wchar_t* videoDeviceName, wchar_t* audioDeviceName,
                  int* videoDeviceCount, int* audioDeviceCount) {
    CaptureEngineState& state = Engine();
    if (state.values.ready) return 1;
    if (!IsValidMode(mode)) return 0;
    // Whatever an earlier failed start left is dropped, lists included.
    ReleaseEngineObjects(state);
    state.values.requestedMode = mode;
    state.values.appliedMode = kNoAppliedMode;

    state.comInitialized = SUCCEEDED(CoInitialize(nullptr));
    state.initThread = GetCurrentThreadId();
    Gdiplus::GdiplusStartupInput gdiplus;
    if (Gdiplus::GdiplusStartup(&state.gdiplusToken, &gdiplus, nullptr) != Gdiplus::Ok) state.gdiplusToken = 0;
    state.values.imageFileFormat = 1;
    state.values.videoFileFormat = 0;
    state.values.audioFileFormat = 2;
    state.values.captureState = kIdle;

    if (state.module == nullptr) state.module = GetModuleHandleW(nullptr);
    state.hiddenWindow = CreateHiddenWindow(state.module);
    if (state.hiddenWindow == nullptr) return Fail(state);

    const int audioCount = EnumerateAudioDevices(state.audioDevices);
    if (audioDeviceCount != nullptr) *audioDeviceCount = audioCount;
    if (audioCount > 0 && !OpenAudioDevice(state, audioDeviceName)) return Fail(state);

    const int videoCount = EnumerateVideoDevices(state.videoDevices);
    if (videoDeviceCount != nullptr) *videoDeviceCount = videoCount;
    if (videoCount > 0) OpenVideoDevice(state, videoDeviceName);

    if (FAILED(CreatePreviewObjects(state)) || FAILED(CreateAudioGraphObjects(state))) return Fail(state);
    if (state.videoCapture && FAILED(ApplyStartFormat(state, videoFormatIndex))) return Fail(state);
    CreateMonitorObjects(state);
    CreateAudioRenderer(state);

    state.values.ready = true;
    SetMode(mode);
    return 1;
}

int UninitializeNow() {
    CaptureEngineState& state = Engine();
    // Ready no more: calls that check it refuse from now on. Those of other
    // threads already past the check finish before anything they use is
    // let go, GDI+ included; a call that does not finish in time (a hung
    // device) keeps what it uses, and the process's end reclaims it.
    const bool wasReady = state.values.ready;
    state.values.ready = false;
    const bool quiet = CloseExportsAndDrain(kCallsDrainMs);
    if (ComPtr<IGraphBuilder> playback = state.playbackGraph.Get()) {
        ComPtr<IMediaControl> control;
        OAFilterState playState = State_Stopped;
        if (SUCCEEDED(QueryTo(playback.Get(), IID_IMediaControl, control)) &&
            control->GetState(100, &playState) != E_FAIL && playState != State_Stopped)
            ReleasePlaybackGraph(state, playback);
    }
    // The last call into the library: whatever comes after finds the
    // engine as a fresh load would, settings included.
    if (wasReady && quiet) ShutDown(state);
    state.values = EngineValues{};
    ReopenExports();
    return wasReady ? 1 : 0;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL Initialize(int mode, int videoFormatIndex, wchar_t* videoDeviceName,
                                      wchar_t* audioDeviceName, int* videoDeviceCount, int* audioDeviceCount) {
    return GuardedExport([=] {
        return InitializeNow(mode, videoFormatIndex, videoDeviceName, audioDeviceName, videoDeviceCount,
                             audioDeviceCount);
    });
}

CAMERA_API int CAMERA_CALL Uninitialize(void) {
    return GuardedExport([] { return UninitializeNow(); });
}
