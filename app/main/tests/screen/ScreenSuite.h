// A GoogleTest suite around one start of the program: every test of the
// suite looks at the same running vimbrel.exe (its start takes seconds under
// Wine), in the order they are written. A suite is
//     class VideoScreen : public CProgramSuite<VideoScreen> {
//         static RunOptions Options() { return RunOptions{Mode::Video, false, {}}; }
//     };
// and its tests reach the program through Run().
#pragma once

#include "ScreenInput.h"
#include "ScreenPicture.h"
#include "ScreenSession.h"

#include <gtest/gtest.h>

#include <memory>

namespace vimbrel::screentest {

template <typename Suite>
class CProgramSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { run_ = std::make_unique<CProgramRun>(Suite::Options()); }
    static void TearDownTestSuite() { run_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(run_ && run_->Started()) << "vimbrel.exe did not show its main window";
        // Each test starts with the pointer off the program and the
        // keyboard on its main window.
        MoveMouseTo({1, 1});
        run_->Activate();
    }
    static CProgramRun& Run() { return *run_; }

private:
    static inline std::unique_ptr<CProgramRun> run_;
};

}  // namespace vimbrel::screentest
