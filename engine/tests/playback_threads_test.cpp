// The playback time is polled from a progress thread while other threads
// stop and replace the playback: a stop must never free the graph under a
// running query.
#include "engine/tests/PlaybackTestSupport.h"

#include "dshowbase/InfoOwners.h"
#include "winowners/KernelOwners.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace enginetest {
namespace {

using camera::ComPtr;

constexpr int kRounds = 100;
constexpr DWORD kStopWaitMs = 10000;

// A thread that asks for the playback time as fast as it can until told to
// stop, counting what it got.
class CTimePoller {
public:
    CTimePoller() { thread_.reset(CreateThread(nullptr, 0, &CTimePoller::Main, this, 0, nullptr)); }
    ~CTimePoller() { Finish(); }
    CTimePoller(const CTimePoller&) = delete;
    CTimePoller& operator=(const CTimePoller&) = delete;

    void Finish() {
        stop_ = true;
        if (thread_) {
            WaitForSingleObject(thread_.get(), INFINITE);
            thread_.reset();
        }
    }

    // 64-bit: a refusal costs next to nothing, and a slow round of stops
    // under load lets the poller count past what 32 bits hold.
    std::atomic<long long> answered{0};
    std::atomic<long long> refused{0};
    std::atomic<long long> outOfRange{0};

private:
    static DWORD WINAPI Main(LPVOID self) {
        static_cast<CTimePoller*>(self)->Run();
        return 0;
    }

    void Run() {
        while (!stop_) {
            float seconds = -1.0f;
            if (GetCurrentPlaybackTime(&seconds) == 1) {
                ++answered;
                if (!(seconds >= 0.0f && seconds <= 10.0f)) ++outOfRange;
            } else {
                ++refused;
            }
        }
    }

    std::atomic<bool> stop_{false};
    winowners::UniqueHandle thread_;
};

// Stops the playback on its own thread each time it is asked to.
class CStopper {
public:
    CStopper() {
        ask_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        done_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        thread_.reset(CreateThread(nullptr, 0, &CStopper::Main, this, 0, nullptr));
    }
    ~CStopper() {
        quit_ = true;
        SetEvent(ask_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
    CStopper(const CStopper&) = delete;
    CStopper& operator=(const CStopper&) = delete;

    // Asks for one stop and keeps this thread's windows answering until it
    // is done: the stop hands the video window back from a window of this
    // thread.
    bool StopAndWait() {
        SetEvent(ask_.get());
        const HANDLE done = done_.get();
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kStopWaitMs) {
            if (MsgWaitForMultipleObjects(1, &done, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
            testbench::PumpFor(0);
        }
        return false;
    }

    std::atomic<long> results{0};

private:
    static DWORD WINAPI Main(LPVOID self) {
        static_cast<CStopper*>(self)->Run();
        return 0;
    }

    void Run() {
        for (;;) {
            WaitForSingleObject(ask_.get(), INFINITE);
            if (quit_) return;
            results += StopPlayback();
            SetEvent(done_.get());
        }
    }

    std::atomic<bool> quit_{false};
    winowners::UniqueHandle ask_;
    winowners::UniqueHandle done_;
    winowners::UniqueHandle thread_;
};

// A playback graph that lets a stop on another thread in at the worst
// moments, as a slow machine may: asked for its state, it answers only
// once the graph has been stopped; stopped, it lets the stop go on only
// once a change of state has been made. Each wait ends after a second, so
// an engine that keeps the two calls apart only loses that time.
class CStallingGraph final : public IGraphBuilder, public IMediaControl {
public:
    explicit CStallingGraph(IGraphBuilder* inner) : inner_(inner) {
        camera::QueryTo(inner, IID_IMediaControl, control_);
        asked_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        stopped_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        changed_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    }

    void WaitUntilAsked() { WaitForSingleObject(asked_.get(), kStopWaitMs); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IFilterGraph || iid == IID_IGraphBuilder)
            *out = static_cast<IGraphBuilder*>(this);
        else if (iid == IID_IMediaControl || iid == IID_IDispatch)
            *out = static_cast<IMediaControl*>(this);
        else
            return inner_->QueryInterface(iid, out);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const long left = --refs_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // The state changes that matter here.
    STDMETHODIMP GetState(LONG timeout, OAFilterState* state) override {
        const HRESULT hr = control_->GetState(timeout, state);
        SetEvent(asked_.get());
        WaitForSingleObject(stopped_.get(), kStallMs);
        return hr;
    }
    STDMETHODIMP Stop() override {
        const HRESULT hr = control_->Stop();
        SetEvent(stopped_.get());
        WaitForSingleObject(changed_.get(), kStallMs);
        return hr;
    }
    STDMETHODIMP Run() override { return Changed(control_->Run()); }
    STDMETHODIMP Pause() override { return Changed(control_->Pause()); }

    // Everything else is the graph's own.
    STDMETHODIMP AddFilter(IBaseFilter* f, LPCWSTR n) override { return inner_->AddFilter(f, n); }
    STDMETHODIMP RemoveFilter(IBaseFilter* f) override { return inner_->RemoveFilter(f); }
    STDMETHODIMP EnumFilters(IEnumFilters** e) override { return inner_->EnumFilters(e); }
    STDMETHODIMP FindFilterByName(LPCWSTR n, IBaseFilter** f) override { return inner_->FindFilterByName(n, f); }
    STDMETHODIMP ConnectDirect(IPin* a, IPin* b, const AM_MEDIA_TYPE* t) override {
        return inner_->ConnectDirect(a, b, t);
    }
    STDMETHODIMP Reconnect(IPin* p) override { return inner_->Reconnect(p); }
    STDMETHODIMP Disconnect(IPin* p) override { return inner_->Disconnect(p); }
    STDMETHODIMP SetDefaultSyncSource() override { return inner_->SetDefaultSyncSource(); }
    STDMETHODIMP Connect(IPin* a, IPin* b) override { return inner_->Connect(a, b); }
    STDMETHODIMP Render(IPin* p) override { return inner_->Render(p); }
    STDMETHODIMP RenderFile(LPCWSTR f, LPCWSTR l) override { return inner_->RenderFile(f, l); }
    STDMETHODIMP AddSourceFilter(LPCWSTR f, LPCWSTR n, IBaseFilter** o) override {
        return inner_->AddSourceFilter(f, n, o);
    }
    STDMETHODIMP SetLogFile(DWORD_PTR h) override { return inner_->SetLogFile(h); }
    STDMETHODIMP Abort() override { return inner_->Abort(); }
    STDMETHODIMP ShouldOperationContinue() override { return inner_->ShouldOperationContinue(); }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return control_->GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return control_->GetTypeInfo(i, l, t); }
    STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return control_->GetIDsOfNames(r, n, c, l, d);
    }
    STDMETHODIMP Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e, UINT* a) override {
        return control_->Invoke(d, r, l, f, p, v, e, a);
    }
    STDMETHODIMP RenderFile(BSTR f) override { return control_->RenderFile(f); }
    STDMETHODIMP AddSourceFilter(BSTR f, IDispatch** o) override { return control_->AddSourceFilter(f, o); }
    STDMETHODIMP get_FilterCollection(IDispatch** o) override { return control_->get_FilterCollection(o); }
    STDMETHODIMP get_RegFilterCollection(IDispatch** o) override { return control_->get_RegFilterCollection(o); }
    STDMETHODIMP StopWhenReady() override { return control_->StopWhenReady(); }

private:
    static constexpr DWORD kStallMs = 1000;

    ~CStallingGraph() = default;

    HRESULT Changed(HRESULT hr) {
        SetEvent(changed_.get());
        return hr;
    }

    ComPtr<IGraphBuilder> inner_;
    ComPtr<IMediaControl> control_;
    std::atomic<long> refs_{1};
    winowners::UniqueHandle asked_;
    winowners::UniqueHandle stopped_;
    winowners::UniqueHandle changed_;
};

using PlaybackThreads = PlaybackTest;

// The user resumes while the progress thread stops at the file's end: once
// the stop has taken the graph, nothing may run it again, and the shared
// sound renderer must be free for the next file.
TEST_F(PlaybackThreads, AResumeUnderWayCannotRunAGraphThatAStopTookAway) {
    const std::wstring wav = WriteMediaFile(L"threads-resume.wav", WavOfSeconds(10));
    ASSERT_EQ(1, Play(wav));
    ASSERT_EQ(1, PausePlayback());
    camera::CaptureEngineState& state = camera::Engine();
    ComPtr<IGraphBuilder> played = state.playbackGraph.Get();
    ComPtr<CStallingGraph> stalling;
    stalling.Attach(new CStallingGraph(played.Get()));
    state.playbackGraph.Exchange(ComPtr<IGraphBuilder>(static_cast<IGraphBuilder*>(stalling.Get())));

    int stopped = -1;
    std::thread stopper([&] {
        stalling->WaitUntilAsked();
        stopped = StopPlayback();
    });
    const int resumed = ResumePlayback();
    stopper.join();
    EXPECT_EQ(1, stopped);

    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, camera::QueryTo(played.Get(), IID_IMediaControl, control));
    OAFilterState after = -1;
    control->GetState(500, &after);
    EXPECT_EQ(State_Stopped, after) << "the stopped playback runs again; resume answered " << resumed;
    dshowbase::CFilterInfo renderer;
    ASSERT_EQ(S_OK, state.dsoundRenderer->QueryFilterInfo(renderer.put()));
    EXPECT_EQ(nullptr, renderer->pGraph) << "the sound renderer stayed in the dropped graph";
    EXPECT_EQ(0, ResumePlayback());
}

TEST_F(PlaybackThreads, APollingThreadSurvivesAHundredStopsFromAnotherThread) {
    const std::wstring wav = WriteMediaFile(L"threads-ten.wav", WavOfSeconds(10));
    const std::wstring avi = WriteMediaFile(L"threads-two.avi", AviOfSeconds(2, true));
    const bool withVideo = DetectorReadsFrames(avi);
    int played = 0;
    {
        CTimePoller poller;
        CStopper stopper;
        for (int round = 0; round < kRounds; ++round) {
            // Every other round a video, whose window lives in this thread's
            // host window, when the media detector can read its frames.
            played += Play(withVideo && round % 2 == 1 ? avi : wav);
            testbench::PumpFor(round % 5);
            ASSERT_TRUE(stopper.StopAndWait()) << "round " << round;
            ASSERT_FALSE(camera::Engine().playbackGraph.Get()) << "round " << round;
        }
        poller.Finish();
        EXPECT_EQ(kRounds, stopper.results.load());
        EXPECT_GT(poller.answered.load(), 0);
        EXPECT_GT(poller.refused.load(), 0);
        EXPECT_EQ(0, poller.outOfRange.load());
    }
    EXPECT_EQ(kRounds, played);
    float seconds = -1.0f;
    EXPECT_EQ(0, GetCurrentPlaybackTime(&seconds));
}

// The file's end waits in this thread's queue while another thread stops
// the playback: the end and the stop must not both take the graph apart.
TEST_F(PlaybackThreads, AnEndHandledDuringAStopFromAnotherThread) {
    const std::wstring wav = WriteMediaFile(L"threads-end.wav", WavOfSeconds(1));
    CTimePoller poller;
    CStopper stopper;
    for (int round = 0; round < 8; ++round) {
        ASSERT_EQ(1, Play(wav)) << "round " << round;
        // Not pumped: the end is left queued for the stop's own pumping.
        Sleep(1300);
        ASSERT_TRUE(stopper.StopAndWait()) << "round " << round;
        ASSERT_FALSE(camera::Engine().playbackGraph.Get()) << "round " << round;
    }
    EXPECT_EQ(8, stopper.results.load());
}

TEST_F(PlaybackThreads, PollingGoesOnWhileFilesReplaceEachOtherAndEnd) {
    const std::wstring wav = WriteMediaFile(L"threads-one.wav", WavOfSeconds(1));
    CTimePoller poller;
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(1, Play(wav)) << "round " << round;
        testbench::PumpFor(static_cast<DWORD>(round * 7 % 60));
    }
    // The last one plays to its end, which releases it on this thread.
    EXPECT_TRUE(testbench::PumpUntil([] { return !camera::Engine().playbackGraph.Get(); }, 8000));
    poller.Finish();
    EXPECT_GT(poller.answered.load(), 0);
    EXPECT_EQ(0, poller.outOfRange.load());
}

}  // namespace
}  // namespace enginetest
