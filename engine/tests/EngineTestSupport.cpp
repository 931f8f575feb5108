#include "engine/tests/EngineTestSupport.h"

#include "engine/tests/OwnHiddenWindow.h"

namespace enginetest {

HWND FindHiddenWindow() { return FindOwnHiddenWindow(); }

CStopwatch::CStopwatch() { QueryPerformanceCounter(&start_); }

double CStopwatch::Ms() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
}

ComPtr<IBenchDeviceControl> BenchControl() {
    ComPtr<IBenchDeviceControl> control;
    if (SUCCEEDED(CoCreateInstance(CLSID_BenchDeviceControl, nullptr, CLSCTX_INPROC_SERVER, IID_IBenchDeviceControl,
                                   reinterpret_cast<void**>(control.GetAddressOf()))))
        control->Reset();
    return control;
}

void EngineTest::SetUp() {
    CoInitialize(nullptr);
    bench_ = BenchControl();
    ASSERT_TRUE(bench_) << "the bench devices are not registered in this prefix";
    ASSERT_EQ(1, SetPreviewWnd(host_.Handle()));
}

void EngineTest::TearDown() {
    Uninitialize();
    if (bench_) bench_->Reset();
    bench_.Reset();
    CoUninitialize();
}

int EngineTest::Start(int mode, int formatIndex) {
    return Initialize(mode, formatIndex, videoName_, audioName_, &videoCount_, &audioCount_);
}

size_t EngineTest::BoxesSaying(const wchar_t* text) const {
    size_t count = 0;
    for (const auto& box : dismisser_.Dismissed()) count += box.text == text ? 1 : 0;
    return count;
}

}  // namespace enginetest
