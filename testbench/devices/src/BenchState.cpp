#include "BenchState.h"

#include "BenchDevices.h"

#include <cstdlib>
#include <string>

namespace bench {
namespace {

std::string Environment(const char* name) {
    // GetEnvironmentVariableA, not getenv: the C runtime's copy may predate
    // a SetEnvironmentVariable of the test process.
    char value[256] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    if (length == 0 || length >= sizeof(value)) {
        return std::string();
    }
    return value;
}

bool Contains(const std::string& list, const char* word) {
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (list.compare(start, end - start, word) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

CBenchState& CBenchState::Instance() {
    static CBenchState state;
    return state;
}

CBenchState::CBenchState() { ResetLocked(); }

void CBenchState::Reset() {
    std::lock_guard<std::mutex> hold(lock_);
    ResetLocked();
}

void CBenchState::ResetLocked() {
    busy_ = false;
    missing_ = 0;
    formatList_ = BENCH_FORMATS_NORMAL;
    scene_.SetPattern(benchscene::Pattern::MovingObject);
    for (long i = 0; i < kProcAmpCount; ++i) {
        procAmp_[i] = {RangeOf(ControlFamily::VideoProcAmp, i, 0)->defaultValue, VideoProcAmp_Flags_Manual};
    }
    for (long i = 0; i < kCameraControlCount; ++i) {
        camera_[i] = {RangeOf(ControlFamily::CameraControl, i, 0)->defaultValue, CameraControl_Flags_Manual};
    }
    mixers_[BENCH_MIXER_FILTER] = {true, true, false, 1.0, 0.0, 0.0, 0.0, 0};
    mixers_[BENCH_MIXER_MICROPHONE] = {true, true, false, 0.5, 0.0, 0.0, 0.0, 0};
    mixers_[BENCH_MIXER_LINE_IN] = {false, false, false, 0.5, 0.0, 0.0, 0.0, 0};
    delivered_ = 0;

    const std::string scene = Environment("VIMBREL_BENCH_SCENE");
    if (scene == "still") {
        scene_.SetPattern(benchscene::Pattern::Still);
    } else if (scene == "black") {
        scene_.SetPattern(benchscene::Pattern::Black);
    } else if (scene == "white") {
        scene_.SetPattern(benchscene::Pattern::White);
    } else if (scene == "rest") {
        scene_.SetPattern(benchscene::Pattern::ObjectAtRest);
    }
    busy_ = Environment("VIMBREL_BENCH_BUSY") == "1";
    const std::string missing = Environment("VIMBREL_BENCH_MISSING");
    if (Contains(missing, "videoprocamp")) {
        missing_ |= BENCH_MISSING_VIDEOPROCAMP;
    }
    if (Contains(missing, "cameracontrol")) {
        missing_ |= BENCH_MISSING_CAMERACONTROL;
    }
    if (Contains(missing, "gamma")) {
        missing_ |= BENCH_MISSING_GAMMA;
    }
    if (Contains(missing, "exposure")) {
        missing_ |= BENCH_MISSING_EXPOSURE;
    }
    if (Environment("VIMBREL_BENCH_FORMATS") == "sixty") {
        formatList_ = BENCH_FORMATS_SIXTY;
    }
}

void CBenchState::SetPattern(benchscene::Pattern pattern) {
    std::lock_guard<std::mutex> hold(lock_);
    scene_.SetPattern(pattern);
}

void CBenchState::SetScript(std::vector<benchscene::Step> steps) {
    std::lock_guard<std::mutex> hold(lock_);
    scene_.SetScript(std::move(steps));
}

bool CBenchState::Render(int32_t width, int32_t height, uint64_t frame, uint8_t* buffer, size_t size) {
    benchscene::Scene scene;
    {
        std::lock_guard<std::mutex> hold(lock_);
        scene = scene_;
    }
    return scene.Render(width, height, frame, buffer, size);
}

bool CBenchState::Busy() {
    std::lock_guard<std::mutex> hold(lock_);
    return busy_;
}

void CBenchState::SetBusy(bool busy) {
    std::lock_guard<std::mutex> hold(lock_);
    busy_ = busy;
}

DWORD CBenchState::MissingControls() {
    std::lock_guard<std::mutex> hold(lock_);
    return missing_;
}

void CBenchState::SetMissingControls(DWORD flags) {
    std::lock_guard<std::mutex> hold(lock_);
    missing_ = flags;
}

int CBenchState::FormatList() {
    std::lock_guard<std::mutex> hold(lock_);
    return formatList_;
}

void CBenchState::SetFormatList(int list) {
    std::lock_guard<std::mutex> hold(lock_);
    formatList_ = list;
}

bool CBenchState::GetControl(ControlFamily family, long property, ControlSetting* setting) {
    std::lock_guard<std::mutex> hold(lock_);
    if (RangeOf(family, property, missing_) == nullptr) {
        return false;
    }
    *setting = Settings(family)[property];
    return true;
}

HRESULT CBenchState::SetControl(ControlFamily family, long property, long value, long flags) {
    std::lock_guard<std::mutex> hold(lock_);
    const ControlRange* range = RangeOf(family, property, missing_);
    if (range == nullptr) {
        return E_PROP_ID_UNSUPPORTED;
    }
    if (!ValidSetting(*range, value, flags)) {
        return E_INVALIDARG;
    }
    // Automatic keeps the last manual value, as drivers report it.
    ControlSetting& setting = Settings(family)[property];
    setting = {flags == VideoProcAmp_Flags_Auto ? setting.value : value, flags};
    return S_OK;
}

MixerLineState CBenchState::Mixer(int line) {
    std::lock_guard<std::mutex> hold(lock_);
    if (line < 0 || line >= kMixerLines) {
        return MixerLineState{};
    }
    return mixers_[line];
}

void CBenchState::CountDelivered() {
    std::lock_guard<std::mutex> hold(lock_);
    ++delivered_;
}

LONGLONG CBenchState::Delivered() {
    std::lock_guard<std::mutex> hold(lock_);
    return delivered_;
}

}  // namespace bench
