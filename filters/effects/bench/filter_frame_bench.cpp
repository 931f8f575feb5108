// The effects filter's whole work on one frame, as the capture graph has it
// done: the filter object's Transform from an input sample into an output
// sample, overlays included (the photo frame and the text box are composed
// with GDI, the text drawn with GDI+). Windows only; run under Wine by
// `tools/bench --wine`. The filter's input is connected to a source of the
// frame size, so the filter sees the media type it would see in a graph.
// Counters per case:
//   ms_per_frame  one Transform (the Time column, in milliseconds)
//   x_copy        ms_per_frame as a multiple of one plain frame copy timed
//                 in the same run
//   x_pass        ms_per_frame as a multiple of the Transform with every
//                 stage off (the filter's own copy of the sample)
//   worst_ms      the slowest single frame (for the chains: the frame that
//                 runs the white-balance analysis)

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BenchStages.h"
#include "CEffectFilter.h"
#include "FakeSample.h"
#include "ScriptedSource.h"
#include "dshowbase/ClassFactory.h"
#include "dshowbase/ClassIds.h"

namespace vimbrel::effects::bench {
namespace {

using Clock = std::chrono::steady_clock;
using Microsoft::WRL::ComPtr;

// The photo frame shipped first, carried by this program as resource FRAME1
// of type PNG, loaded as the main program loads its frames.
const wchar_t kFrameResource[] = L"FRAME1";
const wchar_t kFrameResourceType[] = L"PNG";

// The filter in a graph with its input connected to a source of the frame
// size, and one input and one output sample of that size.
class CFilterBench {
public:
    CFilterBench(int width, int height) : picture_(width, height) {
        HRESULT hr = S_OK;
        auto* made = static_cast<lenstint::CEffectFilter*>(dshowbase::CreateNew<lenstint::CEffectFilter>(&hr));
        if (made == nullptr || FAILED(hr)) return;
        filterReference_ = static_cast<IBaseFilter*>(made);  // the graph and this object share it from here
        filter_ = made;
        const auto type = basetest::VideoInfoType(width, height, 24, MEDIASUBTYPE_RGB24);
        source_ = new basetest::CScriptedSource(type, basetest::RepeatPicture(picture_.source));
        if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_))) ||
            FAILED(graph_->AddFilter(source_.Get(), L"Source")) || FAILED(graph_->AddFilter(filter_, L"Effects"))) {
            return;
        }
        ComPtr<IPin> out = FirstPin(source_.Get(), PINDIR_OUTPUT);
        ComPtr<IPin> in = FirstPin(filter_, PINDIR_INPUT);
        if (!out || !in || FAILED(graph_->ConnectDirect(out.Get(), in.Get(), nullptr))) return;
        input_ = std::make_unique<basetest::FakeSample>(picture_.source.size());
        output_ = std::make_unique<basetest::FakeSample>(picture_.source.size());
        std::memcpy(input_->buffer.data(), picture_.source.data(), picture_.source.size());
        ready_ = true;
    }
    ~CFilterBench() {
        if (graph_) {
            graph_->RemoveFilter(filter_);
            graph_->RemoveFilter(source_.Get());
        }
    }
    CFilterBench(const CFilterBench&) = delete;
    CFilterBench& operator=(const CFilterBench&) = delete;

    bool Ready() const { return ready_; }
    IVideoEffect& Settings() { return *filter_; }
    HRESULT Frame() { return filter_->Transform(input_.get(), output_.get()); }

private:
    static ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
        ComPtr<IEnumPins> pins;
        if (FAILED(filter->EnumPins(&pins))) return nullptr;
        ComPtr<IPin> pin;
        while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            PIN_DIRECTION d{};
            if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) return pin;
        }
        return nullptr;
    }

    BenchFrame picture_;
    ComPtr<IBaseFilter> filterReference_;
    lenstint::CEffectFilter* filter_ = nullptr;  // what filterReference_ holds
    ComPtr<IBaseFilter> source_;
    ComPtr<IGraphBuilder> graph_;
    std::unique_ptr<basetest::FakeSample> input_;
    std::unique_ptr<basetest::FakeSample> output_;
    bool ready_ = false;
};

using Setup = std::function<bool(IVideoEffect&)>;

bool WithText(IVideoEffect& e) {
    return e.SetText(L"Vimbrel 09.12.2026", 0, 235, 172, 25, L"Arial") == S_OK && e.EnableText(1) == S_OK;
}

bool WithPhotoFrame(IVideoEffect& e) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return e.LoadFrameImage(self, 0, 0, VIDEO_FRAME_FROM_EXECUTABLE, kFrameResource, kFrameResourceType) == S_OK &&
           e.SetEffect(VIDEO_EFFECT_IMAGE_FRAME, 1) == S_OK;
}

// White balance at the period the developer page gives it, and a bicubic
// zoom of 1.5: the first two links of every heavy chain.
bool WithWhiteBalanceAndZoom(IVideoEffect& e) {
    return e.SetAutoWhiteBalance(1, 1, kWhiteBalancePeriod) == S_OK && e.SetZoom(1, 2, 1.5f, 0, 0) == S_OK;
}

struct FilterCase {
    const char* name;
    Setup setup;
};

std::vector<FilterCase> AllCases() {
    return {
        {"filter_pass_through", [](IVideoEffect&) { return true; }},
        {"filter_text", WithText},
        {"filter_frame_rate_text", [](IVideoEffect& e) { return e.ShowFps(1) == S_OK && e.EnableText(1) == S_OK; }},
        {"filter_oil_painting_workers",
         [](IVideoEffect& e) { return e.SetEffect(VIDEO_EFFECT_OIL_PAINTING, 0) == S_OK; }},
        {"filter_photo_frame", WithPhotoFrame},
        {"filter_photo_frame_text", [](IVideoEffect& e) { return WithPhotoFrame(e) && WithText(e); }},
        {"filter_chain_white_balance_bicubic_edge_text",
         [](IVideoEffect& e) {
             return WithWhiteBalanceAndZoom(e) && e.SetEffect(VIDEO_EFFECT_EDGE_DETECT, 0) == S_OK && WithText(e);
         }},
        {"filter_chain_white_balance_bicubic_photo_frame_text",
         [](IVideoEffect& e) { return WithWhiteBalanceAndZoom(e) && WithPhotoFrame(e) && WithText(e); }},
    };
}

// Per frame size: one plain copy and one pass-through Transform, measured
// once before the first case of that size.
struct References {
    double copyMs = 0.0;
    double passMs = 0.0;
};

double MeasurePassThrough(int w, int h) {
    CFilterBench bench(w, h);
    if (!bench.Ready()) return 0.0;
    bench.Frame();
    const int rounds = 200;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) bench.Frame();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

const References& ReferencesFor(int w, int h) {
    static std::map<std::pair<int, int>, References> known;
    auto found = known.find({w, h});
    if (found == known.end()) {
        found =
            known.emplace(std::make_pair(w, h), References{MeasureFrameCopyMs(w, h), MeasurePassThrough(w, h)}).first;
    }
    return found->second;
}

void RunCase(benchmark::State& state, const FilterCase& c) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const References& references = ReferencesFor(w, h);
    CFilterBench bench(w, h);
    if (!bench.Ready()) {
        state.SkipWithError("the effects filter could not be connected");
        return;
    }
    if (!c.setup(bench.Settings())) {
        state.SkipWithError("the effects filter refused a setting");
        return;
    }
    bench.Frame();  // surfaces and scratch memory reach their size
    double worst = 0.0;
    const auto start = Clock::now();
    for (auto _ : state) {
        const auto frameStart = Clock::now();
        if (FAILED(bench.Frame())) {
            state.SkipWithError("Transform failed");
            return;
        }
        worst = std::max(worst, std::chrono::duration<double, std::milli>(Clock::now() - frameStart).count());
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                      static_cast<double>(state.iterations());
    state.counters["ms_per_frame"] = ms;
    state.counters["x_copy"] = references.copyMs > 0.0 ? ms / references.copyMs : 0.0;
    state.counters["x_pass"] = references.passMs > 0.0 ? ms / references.passMs : 0.0;
    state.counters["worst_ms"] = worst;
}

void RegisterAll() {
    for (const FilterCase& c : AllCases()) {
        RegisterAtBenchSizes(c.name, [c](benchmark::State& s) { RunCase(s, c); });
    }
}

}  // namespace
}  // namespace vimbrel::effects::bench

int main(int argc, char** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
    vimbrel::effects::bench::RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CoUninitialize();
    return 0;
}
