// The test devices as other tests see them: class ids, friendly names and
// the control interface. Usage in testbench/devices/README.md.
#pragma once

#include <windows.h>
#include <unknwn.h>

// --- Class ids (registered by regsvr32 benchdevices.dll) ---
// Video input devices, listed in this order by the device enumerator.
inline constexpr CLSID CLSID_BenchCamera = {
    0x5642b001, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x01}};
inline constexpr CLSID CLSID_BenchCamera2 = {
    0x5642b002, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x02}};
// Exposes IAMAnalogVideoDecoder: a capture-card kind of device.
inline constexpr CLSID CLSID_BenchAnalogCamera = {
    0x5642b003, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x03}};
// Audio input devices.
inline constexpr CLSID CLSID_BenchMicrophone = {
    0x5642b011, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x11}};
inline constexpr CLSID CLSID_BenchTunerAudio = {
    0x5642b012, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x12}};
// Pass-through transforms in the DirectShow filters category (never picked
// by intelligent connect).
inline constexpr CLSID CLSID_BenchPassThrough = {
    0x5642b021, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x21}};
inline constexpr CLSID CLSID_BenchInPlacePassThrough = {
    0x5642b022, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x22}};
// The control object (IBenchDeviceControl).
inline constexpr CLSID CLSID_BenchDeviceControl = {
    0x5642b031, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x31}};
// The cameras' property page.
inline constexpr CLSID CLSID_BenchCameraPage = {
    0x5642b041, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0x41}};

#define BENCH_CAMERA_NAME L"Vimbrel Bench Camera"
#define BENCH_CAMERA2_NAME L"Vimbrel Bench Camera 2"
#define BENCH_ANALOG_CAMERA_NAME L"Vimbrel Bench Analog Camera"
#define BENCH_MICROPHONE_NAME L"Vimbrel Bench Microphone"
#define BENCH_TUNER_AUDIO_NAME L"Vimbrel Bench TV Tuner Audio"
#define BENCH_PASSTHROUGH_NAME L"Vimbrel Bench Pass-Through"
#define BENCH_INPLACE_PASSTHROUGH_NAME L"Vimbrel Bench In-Place Pass-Through"

// --- Scene patterns (see scene/Scene.h for the exact picture) ---
enum BenchScenePattern {
    BENCH_SCENE_STILL = 0,
    BENCH_SCENE_MOVING_OBJECT = 1,  // the default
    BENCH_SCENE_BLACK = 2,
    BENCH_SCENE_WHITE = 3,
    BENCH_SCENE_OBJECT_AT_REST = 4,
};

struct BenchSceneStep {
    int pattern;  // a BenchScenePattern
    UINT frames;
};

// --- Controls that can be taken away (SetMissingControls) ---
enum BenchMissingControls {
    BENCH_MISSING_VIDEOPROCAMP = 0x1,   // no IAMVideoProcAmp at all
    BENCH_MISSING_CAMERACONTROL = 0x2,  // no IAMCameraControl at all
    BENCH_MISSING_GAMMA = 0x4,          // VideoProcAmp_Gamma unsupported
    BENCH_MISSING_EXPOSURE = 0x8,       // CameraControl_Exposure unsupported
};

// --- Format lists (SetFormatList) ---
enum BenchFormatList {
    BENCH_FORMATS_NORMAL = 0,  // RGB24 sizes mixed with YUY2, Y411, unknown and VideoInfo2 entries
    BENCH_FORMATS_SIXTY = 1,   // 60 RGB24 VideoInfo entries
};

// --- Mixer lines (GetMixerLine) ---
enum BenchMixerLine {
    BENCH_MIXER_FILTER = 0,
    BENCH_MIXER_MICROPHONE = 1,
    BENCH_MIXER_LINE_IN = 2,
};

// {5642B0F1-7A3E-4C1B-9D2F-0B17E5C3A0F1}
inline constexpr IID IID_IBenchDeviceControl = {
    0x5642b0f1, 0x7a3e, 0x4c1b, {0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0xf1}};

// Settings are process-wide: they act on every bench device object in the
// calling process, also on ones created earlier. Most take effect at the
// next frame; the format list, busy switch and missing controls are read
// when a camera is connected or queried.
struct IBenchDeviceControl : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetScenePattern(int pattern) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSceneScript(const BenchSceneStep* steps, UINT count) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCameraBusy(BOOL busy) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMissingControls(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFormatList(int list) = 0;
    // The frame a camera delivers with media time frameIndex at that size.
    virtual HRESULT STDMETHODCALLTYPE RenderFrame(LONG width, LONG height, LONGLONG frameIndex, BYTE* buffer,
                                                  DWORD size) = 0;
    // COM objects of benchdevices.dll alive in this process (this one too).
    virtual HRESULT STDMETHODCALLTYPE GetLiveObjectCount(LONG* count) = 0;
    // Frames handed downstream by all capture pins in this process.
    virtual HRESULT STDMETHODCALLTYPE GetDeliveredFrames(LONGLONG* count) = 0;
    // Enable, mix level and the number of put_Enable/put_MixLevel calls
    // since the last Reset, of one mixer line (BenchMixerLine).
    virtual HRESULT STDMETHODCALLTYPE GetMixerLine(int line, BOOL* enabled, double* level, LONG* changes) = 0;
    // Everything back to how a fresh process finds it (environment
    // overrides included).
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IBenchDeviceControl, 0x5642b0f1, 0x7a3e, 0x4c1b, 0x9d, 0x2f, 0x0b, 0x17, 0xe5, 0xc3, 0xa0, 0xf1)
#endif
