#include "engine/core/GuardedSlot.h"
#include "engine/core/RetryWithWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace camera {
namespace {

class CRecordingSleeper : public ISleeper {
public:
    void Sleep(unsigned ms) override { waits.push_back(ms); }
    std::vector<unsigned> waits;
};

TEST(RetryWithWait, WaitsAfterEveryFailureTheLastIncluded) {
    CRecordingSleeper sleeper;
    int calls = 0;
    long result = RetryWithWait(
        10, 100, sleeper,
        [&] {
            ++calls;
            return -5L;
        },
        [](long r) { return r >= 0; });
    EXPECT_EQ(-5L, result);
    EXPECT_EQ(10, calls);
    EXPECT_EQ(std::vector<unsigned>(10, 100u), sleeper.waits);
}

TEST(RetryWithWait, StopsAtTheFirstSuccessWithoutWaiting) {
    CRecordingSleeper sleeper;
    int calls = 0;
    int result = RetryWithWait(
        6, 500, sleeper, [&] { return ++calls == 3 ? 1 : 0; }, [](int r) { return r != 0; });
    EXPECT_EQ(1, result);
    EXPECT_EQ(3, calls);
    EXPECT_EQ((std::vector<unsigned>{500u, 500u}), sleeper.waits);
}

TEST(GuardedSlot, ReadersKeepTheirObjectAliveAcrossAReplacement) {
    CGuardedSlot<std::shared_ptr<int>> slot;
    EXPECT_FALSE(static_cast<bool>(slot));
    slot.Exchange(std::make_shared<int>(7));
    std::shared_ptr<int> held = slot.Get();
    slot.Reset();
    EXPECT_FALSE(slot.Get());
    ASSERT_TRUE(held);
    EXPECT_EQ(7, *held);
    EXPECT_EQ(1, held.use_count());
}

TEST(GuardedSlot, ResetIfHoldingLeavesASuccessorAlone) {
    CGuardedSlot<std::shared_ptr<int>> slot;
    auto first = std::make_shared<int>(1);
    auto second = std::make_shared<int>(2);
    slot.Exchange(first);
    slot.Exchange(second);
    EXPECT_FALSE(slot.ResetIfHolding(first));
    EXPECT_EQ(second, slot.Get());
    EXPECT_TRUE(slot.ResetIfHolding(second));
    EXPECT_FALSE(slot.Get());
    EXPECT_EQ(1, second.use_count());
}

// A reference that converts to bool, as COM smart pointers do, and whose
// == therefore compares only whether each is set.
struct CBoolishRef {
    int* object = nullptr;
    int* Get() const { return object; }
    explicit operator bool() const { return object != nullptr; }
};

TEST(GuardedSlot, ResetIfHoldingComparesTheObjectsNotWhetherTheyAreSet) {
    int first = 1;
    int second = 2;
    CGuardedSlot<CBoolishRef> slot;
    slot.Exchange(CBoolishRef{&second});
    EXPECT_FALSE(slot.ResetIfHolding(CBoolishRef{&first}));
    EXPECT_EQ(&second, slot.Get().object);
    EXPECT_TRUE(slot.ResetIfHolding(CBoolishRef{&second}));
    EXPECT_EQ(nullptr, slot.Get().object);
}

TEST(GuardedSlot, ConcurrentReadersAndReplacersNeverSeeAFreedObject) {
    CGuardedSlot<std::shared_ptr<std::vector<int>>> slot;
    std::atomic<bool> stop{false};
    std::atomic<long> reads{0};
    std::thread reader([&] {
        while (!stop) {
            auto graph = slot.Get();
            if (graph) {
                long sum = 0;
                for (int v : *graph) sum += v;
                EXPECT_EQ(64 * 3, sum);
                ++reads;
            }
        }
    });
    for (int i = 0; i < 2000; ++i) {
        slot.Exchange(std::make_shared<std::vector<int>>(64, 3));
        if (i % 3 == 0) slot.Reset();
    }
    stop = true;
    reader.join();
}

}  // namespace
}  // namespace camera
