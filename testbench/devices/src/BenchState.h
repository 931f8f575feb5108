// What the bench devices of one process share: the scene, the switches, the
// stored control values and the mixer lines, as the hardware behind several
// filter objects of one device would. Everything is guarded by one mutex.
// Fresh values come from the defaults, then from the environment:
//   VIMBREL_BENCH_SCENE    still | moving | black | white | rest
//   VIMBREL_BENCH_BUSY     1: cameras refuse connections
//   VIMBREL_BENCH_MISSING  comma list of videoprocamp, cameracontrol, gamma, exposure
//   VIMBREL_BENCH_FORMATS  sixty: 60 RGB24 formats
#pragma once

#include "ControlRanges.h"
#include "Scene.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace bench {

struct ControlSetting {
    long value;
    long flags;
};

struct MixerLineState {
    bool enabled;
    bool mono;
    bool loudness;
    double level;  // 0..1, or -1 for automatic gain
    double pan;
    double treble;
    double bass;
    LONG changes;  // put_Enable and put_MixLevel calls
};

constexpr int kMixerLines = 3;  // BenchMixerLine

class CBenchState {
public:
    static CBenchState& Instance();

    void Reset();

    void SetPattern(benchscene::Pattern pattern);
    void SetScript(std::vector<benchscene::Step> steps);
    bool Render(int32_t width, int32_t height, uint64_t frame, uint8_t* buffer, size_t size);

    bool Busy();
    void SetBusy(bool busy);
    DWORD MissingControls();
    void SetMissingControls(DWORD flags);
    int FormatList();
    void SetFormatList(int list);

    // False when the property is missing.
    bool GetControl(ControlFamily family, long property, ControlSetting* setting);
    // E_PROP_ID_UNSUPPORTED for a missing property, E_INVALIDARG for a value
    // off the range or its steps, or flags the property does not have.
    HRESULT SetControl(ControlFamily family, long property, long value, long flags);

    MixerLineState Mixer(int line);
    // Applies a change to one line under the lock.
    template <class Change>
    HRESULT UpdateMixer(int line, Change change) {
        if (line < 0 || line >= kMixerLines) {
            return E_INVALIDARG;
        }
        std::lock_guard<std::mutex> hold(lock_);
        return change(mixers_[line]);
    }

    void CountDelivered();
    LONGLONG Delivered();

private:
    CBenchState();
    void ResetLocked();
    ControlSetting* Settings(ControlFamily family) {
        return family == ControlFamily::VideoProcAmp ? procAmp_ : camera_;
    }

    std::mutex lock_;
    benchscene::Scene scene_;
    bool busy_ = false;
    DWORD missing_ = 0;
    int formatList_ = 0;
    ControlSetting procAmp_[kProcAmpCount];
    ControlSetting camera_[kCameraControlCount];
    MixerLineState mixers_[kMixerLines];
    LONGLONG delivered_ = 0;
};

}  // namespace bench
