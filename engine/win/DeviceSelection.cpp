// Opening the camera and the microphone the caller chose.
#include "engine/include/CameraApi.h"
#include "engine/win/DeviceEnumeration.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/MicrophoneInput.h"
#include "engine/win/PreviewGraph.h"

#include "failtrail/FailTrail.h"

#include <utility>

namespace camera {

namespace {

// The builder that finds the capture pin's interfaces. Before the preview
// objects exist (device selection inside Initialize) a passing one serves.
ComPtr<ICaptureGraphBuilder2> PinFinder(CaptureEngineState& state) {
    if (state.previewBuilder) return state.previewBuilder;
    ComPtr<ICaptureGraphBuilder2> builder;
    CreateInstance(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, builder);
    return builder;
}

// Sets the camera's first format of that size and answers its index in the
// camera's list; no entry of that size changes nothing (S_FALSE and
// kNoFormatIndex).
HRESULT ApplyFrameSize(CaptureEngineState& state, IBaseFilter* camera, CVideoFormatList& formats, int width, int height,
                       int& chosen) {
    chosen = kNoFormatIndex;
    ComPtr<IAMStreamConfig> config;
    RETURN_IF_FAILED(FindCaptureStreamConfig(PinFinder(state).Get(), camera, config));
    for (int i = 0; i < formats.Count(); ++i) {
        CVideoFormat* format = formats.At(i);
        if (format->Width() == width && format->Height() == height) {
            RETURN_IF_FAILED(config->SetFormat(format->MediaType()));
            chosen = i;
            return S_OK;
        }
    }
    return S_FALSE;
}

int SelectVideoDeviceNow(int index, int width, int height) {
    CaptureEngineState& state = Engine();
    if (!state.values.IsReadyAndIdle()) return 0;
    if (index == state.values.selectedVideoDevice) return 1;
    const DeviceList::Node* node = state.videoDevices.Find(index);
    if (node == nullptr) {
        state.values.selectedVideoDevice = kDeviceSelectionFailed;
        return 0;
    }
    // The node's own moniker: two cameras of one model share a name, and
    // opening by name would open the first of them again.
    ComPtr<IBaseFilter> filter;
    RETURN_VALUE_IF_FAILED(0, BindDevice(node->moniker.Get(), filter));
    // The new camera's formats and the size asked for are settled before it
    // replaces the current one: a camera that cannot take the size leaves
    // the working one in place, with its own formats and format index.
    CVideoFormatList formats;
    BuildFormatList(PinFinder(state).Get(), filter.Get(), formats);
    int chosen = kNoFormatIndex;
    if (width != 0 && height != 0)
        RETURN_VALUE_IF_FAILED(0, ApplyFrameSize(state, filter.Get(), formats, width, height, chosen));
    state.videoCapture = filter;
    QueryTo(filter.Get(), IID_IAMCameraControl, state.cameraControl);
    state.videoFormats = std::move(formats);
    // An index of the old camera's list means nothing for this one: only
    // the size asked for chooses an entry, and that entry is what it runs.
    state.values.currentFormatIndex = chosen;
    state.values.currentFormatApplied = true;

    // Before the first preview the mode switch builds the graph. After it,
    // the new camera must go into the preview now, also when the earlier
    // one was opened by name and so never got an index, and also when the
    // preview shown was emptied by a failed rebuild.
    const bool previewBuilt = !state.values.rebuildPreview || IsPreviewMode(state.values.appliedMode);
    if (state.values.selectedVideoDevice == kNoDeviceSelected && !previewBuilt) {
        state.values.selectedVideoDevice = index;
        return 1;
    }
    if (SUCCEEDED(BuildPreviewGraph(state, true)) && SUCCEEDED(RunPreview(state))) {
        state.values.selectedVideoDevice = index;
        return 1;
    }
    state.values.selectedVideoDevice = kDeviceSelectionFailed;
    return 0;
}

int SelectAudioDeviceNow(int index) {
    CaptureEngineState& state = Engine();
    if (!state.values.IsReadyAndIdle()) return 0;
    if (index == state.values.selectedAudioDevice) return 1;
    const DeviceList::Node* node = state.audioDevices.Find(index);
    if (node == nullptr) return 0;
    // The new device is opened before the old one is let go, so that a
    // failure leaves the working microphone in place.
    ComPtr<IBaseFilter> filter;
    RETURN_VALUE_IF_FAILED(0, BindDevice(node->moniker.Get(), filter));
    state.microphoneMixer.Reset();
    state.audioCapture = filter;
    EnableMicrophoneInput(state, filter.Get());
    state.values.selectedAudioDevice = index;
    return 1;
}

int SelectVideoDeviceByNameNow(const wchar_t* name) {
    CaptureEngineState& state = Engine();
    if (name == nullptr || !state.values.IsReadyAndIdle()) return E_FAIL;
    const std::u16string_view wanted = AsUtf16(name);
    const DeviceList::Node* node = state.videoDevices.FindIf(
        [wanted](const DeviceList::Node& n) { return n.wideName == wanted; });
    if (node == nullptr) return E_FAIL;
    ComPtr<IBaseFilter> filter;
    RETURN_IF_FAILED(BindDevice(node->moniker.Get(), filter));
    state.videoCapture = filter;
    return S_OK;
}

int SelectAudioDeviceByNameNow(const wchar_t* name) {
    CaptureEngineState& state = Engine();
    if (name == nullptr || !state.values.IsReadyAndIdle()) return 0;
    const std::wstring wanted(name);
    auto named = [&wanted](const DeviceList::Node& n) { return AnsiToWide(n.name) == wanted; };
    const DeviceList::Node* current = state.audioDevices.Find(state.values.selectedAudioDevice);
    if (current != nullptr && named(*current)) return 1;
    const DeviceList::Node* node = state.audioDevices.FindIf(named);
    if (node == nullptr) return 0;
    return SelectAudioDeviceNow(node->index);
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL SelectVideoDevice(int index, int width, int height) {
    return GuardedExport([=] { return SelectVideoDeviceNow(index, width, height); });
}

CAMERA_API int CAMERA_CALL SelectAudioDevice(int index) {
    return GuardedExport([=] { return SelectAudioDeviceNow(index); });
}

CAMERA_API int CAMERA_CALL SelectVideoDeviceByName(const wchar_t* name) {
    // Success is 0 here: the result is an HRESULT, not a done flag.
    return GuardedExportOr(static_cast<int>(E_FAIL), [=] { return SelectVideoDeviceByNameNow(name); });
}

CAMERA_API int CAMERA_CALL SelectAudioDeviceByName(const wchar_t* name) {
    return GuardedExport([=] { return SelectAudioDeviceByNameNow(name); });
}
