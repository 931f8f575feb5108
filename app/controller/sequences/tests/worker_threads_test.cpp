#include <gtest/gtest.h>

#include <atomic>

#include "CWorkerThreads.h"

namespace vimbrel::controller {
namespace {

TEST(WorkerThreads, StopEndsSleepingWorkersAtOnceManyTimesOver) {
    CWorkerThreads workers(2000);
    std::atomic<int> ended{0};
    const DWORD start = GetTickCount();
    for (int round = 0; round < 40; ++round) {
        ASSERT_TRUE(workers.Start(WorkerKind::DateClock, [&](IWorkerContext& context) {
            while (context.Sleep(1000)) {
            }
            ++ended;
        }));
        ASSERT_TRUE(workers.IsRunning(WorkerKind::DateClock));
        EXPECT_FALSE(workers.IsRunning(WorkerKind::Burst));
        workers.Stop(WorkerKind::DateClock);
        EXPECT_FALSE(workers.IsRunning(WorkerKind::DateClock));
    }
    EXPECT_EQ(ended.load(), 40);
    EXPECT_EQ(workers.TerminatedCount(), 0);
    EXPECT_EQ(workers.LiveCount(), 0u);
    // Forty stops of one-second sleepers took far less than forty seconds.
    EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST(WorkerThreads, StopOfAnotherKindLeavesAWorkerAndCloseEndsEverything) {
    CWorkerThreads workers(2000);
    std::atomic<int> ended{0};
    auto sleeper = [&](IWorkerContext& context) {
        while (context.Sleep(500)) {
        }
        ++ended;
    };
    workers.Start(WorkerKind::Burst, sleeper);
    workers.Start(WorkerKind::Burst, sleeper);
    workers.Start(WorkerKind::RecordingTime, sleeper);
    workers.Stop(WorkerKind::RecordingTime);
    EXPECT_EQ(ended.load(), 1);
    EXPECT_TRUE(workers.IsRunning(WorkerKind::Burst));
    workers.Close();
    EXPECT_EQ(ended.load(), 3);
    EXPECT_EQ(workers.LiveCount(), 0u);
    EXPECT_FALSE(workers.Start(WorkerKind::Burst, sleeper));
}

TEST(WorkerThreads, WorkerStoppingItsOwnKindDoesNotWaitForItself) {
    CWorkerThreads workers(3000);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    workers.Start(WorkerKind::ImageTimer, [&](IWorkerContext& context) {
        workers.Stop(WorkerKind::ImageTimer);
        EXPECT_TRUE(context.StopRequested());
        SetEvent(done);
    });
    EXPECT_EQ(WaitForSingleObject(done, 2000), WAIT_OBJECT_0);
    workers.Close();
    EXPECT_EQ(workers.TerminatedCount(), 0);
    CloseHandle(done);
}

TEST(WorkerThreads, StopAnswersMessagesTheWorkerSendsMeanwhile) {
    CWorkerThreads workers(3000);
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    std::atomic<bool> answered{false};
    workers.Start(WorkerKind::Burst, [&](IWorkerContext& context) {
        context.Sleep(100);
        // Sent to this test's thread, which is waiting in Stop by now.
        SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"sent"));
        answered = true;
    });
    Sleep(20);
    workers.Stop(WorkerKind::Burst);
    EXPECT_TRUE(answered.load());
    EXPECT_EQ(workers.TerminatedCount(), 0);
    DestroyWindow(window);
}

TEST(WorkerThreads, StuckWorkerIsEndedAfterTheBound) {
    CWorkerThreads workers(300);
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    workers.Start(WorkerKind::Burst, [&](IWorkerContext&) { WaitForSingleObject(never, INFINITE); });
    Sleep(20);
    workers.Close();
    EXPECT_EQ(workers.TerminatedCount(), 1);
    EXPECT_EQ(workers.LiveCount(), 0u);
    CloseHandle(never);
}

}  // namespace
}  // namespace vimbrel::controller
