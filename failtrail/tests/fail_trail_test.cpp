#include "failtrail/FailTrail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using failtrail::HResult;

constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kFalse = 1;

struct Seen {
    std::string file;
    int line;
    HResult result;
    std::string expression;
};
std::vector<Seen> g_seen;

void Keep(const failtrail::Failure& failure) {
    g_seen.push_back({failure.file, failure.line, failure.result, failure.expression});
}

// Installs the recording hook for one test and gives back the test bench's.
class FailTrailTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        previous_ = failtrail::SetHook(&Keep);
    }
    void TearDown() override { failtrail::SetHook(previous_); }

private:
    failtrail::Hook previous_ = nullptr;
};

int g_calls = 0;
HResult Step(HResult answer) {
    ++g_calls;
    return answer;
}

// Counted inside the function, next to the step, so that a change of layout
// around it (where the brace goes) leaves it true.
int g_firstStepLine = 0;
HResult TwoSteps(HResult first, HResult second) {
    g_firstStepLine = __LINE__ + 1;
    RETURN_IF_FAILED(Step(first));
    RETURN_IF_FAILED(Step(second));
    return 7;
}

int Export(HResult answer) {
    RETURN_VALUE_IF_FAILED(0, Step(answer));
    return 1;
}

HResult Allocate(const int* block) {
    RETURN_IF_NULL_ALLOC(block);
    RETURN_HR_IF(kFalse, *block == 0);
    RETURN_HR_IF(kFail, *block < 0);
    return 0;
}

TEST_F(FailTrailTest, FailingStepIsRecordedOnceWithWhereAndWhat) {
    g_calls = 0;
    EXPECT_EQ(TwoSteps(kFail, 0), kFail);
    EXPECT_EQ(g_calls, 1);  // evaluated once, and the second step never ran
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_NE(g_seen[0].file.find("fail_trail_test.cpp"), std::string::npos);
    EXPECT_EQ(g_seen[0].line, g_firstStepLine);
    EXPECT_EQ(g_seen[0].result, kFail);
    EXPECT_EQ(g_seen[0].expression, "Step(first)");

    // Success, including S_FALSE, returns nothing early and records nothing.
    g_seen.clear();
    EXPECT_EQ(TwoSteps(kFalse, 0), 7);
    EXPECT_EQ(Export(kFalse), 1);
    const int one = 1;
    EXPECT_EQ(Allocate(&one), 0);
    EXPECT_TRUE(g_seen.empty());

    // A flat export answers its refusal; the trail keeps the step's result.
    EXPECT_EQ(Export(kFail), 0);
    // An empty allocation is E_OUTOFMEMORY; a success code returned early
    // is no failure and is not recorded.
    EXPECT_EQ(Allocate(nullptr), static_cast<HResult>(0x8007000Eu));
    const int zero = 0;
    EXPECT_EQ(Allocate(&zero), kFalse);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].result, kFail);
    EXPECT_EQ(g_seen[1].result, static_cast<HResult>(0x8007000Eu));
    EXPECT_EQ(g_seen[1].expression, "block");

    // A refusal on a condition reports the condition it refused on.
    const int negative = -1;
    EXPECT_EQ(Allocate(&negative), kFail);
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[2].result, kFail);
    EXPECT_EQ(g_seen[2].expression, "*block < 0");
}

TEST_F(FailTrailTest, WithTheHookOffFailuresReturnAlikeAndNothingIsRecorded) {
    const failtrail::Hook mine = failtrail::SetHook(nullptr);
    EXPECT_EQ(TwoSteps(0, kFail), kFail);
    EXPECT_EQ(Export(kFail), 0);
    failtrail::SetHook(mine);
    EXPECT_TRUE(g_seen.empty());
}

}  // namespace
