// What the engine's Wine tests share: a fixture that starts the engine in a
// host window with the bench's message boxes dismissed, and the bench
// devices' control object.
#pragma once

#include "BenchDevices.h"
#include "engine/include/CameraApi.h"
#include "CDialogDismisser.h"
#include "engine/tests/TestHostWindow.h"

#include <wrl/client.h>

#include <gtest/gtest.h>

#include <string>

namespace enginetest {

using Microsoft::WRL::ComPtr;

HWND FindHiddenWindow();

// The bench's control object, reset to a fresh process's settings.
ComPtr<IBenchDeviceControl> BenchControl();

// Milliseconds since it was made, on the performance counter. The tick
// count moves in steps and can read tens of milliseconds short under Wine,
// too coarse for the lower bound of a pause.
class CStopwatch {
public:
    CStopwatch();
    double Ms() const;

private:
    LARGE_INTEGER start_{};
};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Initialize with the names in videoName_/audioName_ (empty by default).
    int Start(int mode, int formatIndex = -1);
    // The boxes dismissed so far whose text is exactly text.
    size_t BoxesSaying(const wchar_t* text) const;

    CTestHostWindow host_;
    testbench::CDialogDismisser dismisser_{IDOK};
    ComPtr<IBenchDeviceControl> bench_;
    wchar_t videoName_[260] = {};
    wchar_t audioName_[260] = {};
    int videoCount_ = -7;
    int audioCount_ = -7;
};

}  // namespace enginetest
