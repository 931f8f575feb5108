// Initialize and Uninitialize, the hidden window and the mode switches that
// need no camera. Each test starts and ends the engine itself.
#include "engine/include/CameraApi.h"
#include "engine/tests/EngineTestSupport.h"
#include "CDialogDismisser.h"
#include "engine/tests/TestHostWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enginetest::CStopwatch;
using enginetest::FindHiddenWindow;

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, SetPreviewWnd(host_.Handle())); }
    void TearDown() override { Uninitialize(); }

    int Start(int mode, int formatIndex = -1) {
        videoName_[0] = L'\0';
        audioName_[0] = L'\0';
        return Initialize(mode, formatIndex, videoName_, audioName_, &videoCount_, &audioCount_);
    }

    enginetest::CTestHostWindow host_;
    testbench::CDialogDismisser dismisser_{IDOK};
    wchar_t videoName_[260] = {};
    wchar_t audioName_[260] = {};
    int videoCount_ = -7;
    int audioCount_ = -7;
};

TEST_F(Lifecycle, ModesOutsideZeroToFiveAreRefusedBeforeAnyWork) {
    EXPECT_EQ(0, Start(6));
    EXPECT_EQ(0, Start(-1));
    EXPECT_EQ(-7, videoCount_);
    EXPECT_EQ(-7, audioCount_);
    EXPECT_EQ(nullptr, FindHiddenWindow());
    EXPECT_EQ(0u, dismisser_.WaitFor(1, 200));
}

TEST_F(Lifecycle, HiddenWindowLivesFromInitializeToUninitialize) {
    ASSERT_EQ(1, Start(2));
    HWND hidden = FindHiddenWindow();
    ASSERT_NE(nullptr, hidden);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(nullptr, GetParent(hidden));
    const DWORD style = static_cast<DWORD>(GetClassLongPtrA(hidden, GCL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW), style);

    EXPECT_EQ(1, Uninitialize());
    EXPECT_EQ(nullptr, FindHiddenWindow());
}

TEST_F(Lifecycle, SecondInitializeAnswersAtOnceAndChangesNothing) {
    ASSERT_EQ(1, Start(4));
    const size_t boxes = dismisser_.WaitFor(100, 300);
    const int videoCount = videoCount_;
    videoCount_ = audioCount_ = -7;
    EXPECT_EQ(1, Initialize(0, 3, videoName_, audioName_, &videoCount_, &audioCount_));
    EXPECT_EQ(-7, videoCount_);
    EXPECT_EQ(-7, audioCount_);
    EXPECT_EQ(boxes, dismisser_.WaitFor(boxes + 1, 300));
    int index = -1;
    EXPECT_EQ(1, GetVideoDevice(&index, nullptr));
    EXPECT_EQ(videoCount, index);
}

TEST_F(Lifecycle, UninitializeEndsTheEngineSoLaterCallsRefuse) {
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(1, Uninitialize());
    EXPECT_EQ(0, Uninitialize());
    int index = -1;
    EXPECT_EQ(0, GetVideoDevice(&index, nullptr));
    EXPECT_EQ(0, SetMode(4));
    // And it can be started again in the same process.
    ASSERT_EQ(1, Start(4));
    EXPECT_EQ(1, GetVideoDevice(&index, nullptr));
    EXPECT_NE(nullptr, FindHiddenWindow());
}

TEST_F(Lifecycle, ModesWithoutPreviewNeedNoCamera) {
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(0, SetMode(6));
    EXPECT_EQ(0, SetMode(-1));
    EXPECT_EQ(1, SetMode(4));
    EXPECT_EQ(1, SetMode(4));
    EXPECT_EQ(1, SetMode(2));
}

TEST_F(Lifecycle, ResumeWithoutFormatTriesSixTimesHalfASecondApart) {
    // No format index was ever set, so every attempt is refused before it
    // touches a graph, and each is followed by its pause.
    ASSERT_EQ(1, Start(3));
    HWND hidden = FindHiddenWindow();
    ASSERT_NE(nullptr, hidden);
    // Six pauses take 3 s, five would take 2.5 s.
    const CStopwatch watch;
    SendMessageA(hidden, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    const double elapsedMs = watch.Ms();
    EXPECT_GE(elapsedMs, 2900.0);
    EXPECT_LT(elapsedMs, 4500.0);
}

TEST_F(Lifecycle, ResumeOutsideThePreviewModesDoesNoFormatWork) {
    ASSERT_EQ(1, Start(4));
    const DWORD start = GetTickCount();
    SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_LT(GetTickCount() - start, 400u);
}

}  // namespace
