// The playback time is polled from a progress thread while other threads
// stop and replace the playback: a stop must never free the graph under a
// running query.
#include "engine/tests/PlaybackTestSupport.h"

#include "winowners/KernelOwners.h"

#include <gtest/gtest.h>

#include <atomic>

namespace enginetest {
namespace {

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
            PumpMessagesFor(0);
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

using PlaybackThreads = PlaybackTest;

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
            PumpMessagesFor(round % 5);
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
        PumpMessagesFor(static_cast<DWORD>(round * 7 % 60));
    }
    // The last one plays to its end, which releases it on this thread.
    EXPECT_TRUE(PumpUntil([] { return !camera::Engine().playbackGraph.Get(); }, 8000));
    poller.Finish();
    EXPECT_GT(poller.answered.load(), 0);
    EXPECT_EQ(0, poller.outOfRange.load());
}

}  // namespace
}  // namespace enginetest
