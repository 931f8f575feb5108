// Where the renderer's picture lands when the engine attaches a graph's
// video window to a preview window that is itself a child at an offset
// inside a main window, as the program's preview is: the bench camera's
// bars must fill the preview, read back from the screen.
#include "BenchDevices.h"
#include "dshowbase/MediaType.h"
#include "engine/win/ComHelpers.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PinHelpers.h"
#include "engine/tests/ScreenPixels.h"
#include "engine/tests/TestHostWindow.h"
#include "MessagePump.h"

#include <control.h>

#include <gtest/gtest.h>

namespace camera {
namespace {

using enginetest::SceneFillsWindow;

constexpr int kPreviewLeft = 86;
constexpr int kPreviewTop = 40;

class VideoWindowPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        // Away from the screen's corner, so that screen and client
        // coordinates differ in both directions.
        parent_ = enginetest::CreateFacedWindow(nullptr, 30, 50, 600, 420);
        preview_ = enginetest::CreateFacedWindow(parent_, kPreviewLeft, kPreviewTop, 400, 300);
        ASSERT_EQ(S_OK, CreateInstance(CLSID_BenchDeviceControl, IID_IBenchDeviceControl, bench_));
        bench_->Reset();
        bench_->SetScenePattern(BENCH_SCENE_STILL);
    }

    void TearDown() override {
        if (graph_) {
            StopGraph(graph_.Get());
            EmptyGraph(graph_.Get());
        }
        graph_.Reset();
        bench_.Reset();
        if (parent_ != nullptr) DestroyWindow(parent_);
        CoUninitialize();
    }

    // Bench camera at the given frame size straight into the graph's
    // default renderer, shown in the preview window and running.
    void ShowCamera(LONG width, LONG height) {
        ASSERT_EQ(S_OK, CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph_));
        ComPtr<IBaseFilter> camera;
        ASSERT_EQ(S_OK, CreateInstance(CLSID_BenchCamera, IID_IBaseFilter, camera));
        ASSERT_EQ(S_OK, graph_->AddFilter(camera.Get(), L"Video Capture"));
        ComPtr<IPin> capture;
        ASSERT_EQ(S_OK, FindPin(camera.Get(), PINDIR_OUTPUT, L"Capture", capture));
        SetFrameSize(capture.Get(), width, height);
        ASSERT_EQ(S_OK, graph_->Render(capture.Get()));
        ASSERT_EQ(S_OK, AttachVideoWindow(graph_.Get(), preview_));
        ComPtr<IMediaControl> control;
        ASSERT_EQ(S_OK, QueryTo(graph_.Get(), IID_IMediaControl, control));
        ASSERT_TRUE(SUCCEEDED(control->Run()));
        LONGLONG delivered = 0;
        ASSERT_TRUE(testbench::PumpUntil(
            [&] { return SUCCEEDED(bench_->GetDeliveredFrames(&delivered)) && delivered >= 10; }, 5000));
        testbench::PumpFor(300);
    }

    static void SetFrameSize(IPin* pin, LONG width, LONG height) {
        ComPtr<IAMStreamConfig> config;
        ASSERT_EQ(S_OK, QueryTo(pin, IID_IAMStreamConfig, config));
        AM_MEDIA_TYPE* handed = nullptr;
        ASSERT_EQ(S_OK, config->GetFormat(&handed));
        const dshowbase::UniqueMediaType type(handed);
        auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 3);
        type->lSampleSize = info->bmiHeader.biSizeImage;
        EXPECT_EQ(S_OK, config->SetFormat(type.get()));
    }

    HWND parent_ = nullptr;
    HWND preview_ = nullptr;
    ComPtr<IBenchDeviceControl> bench_;
    ComPtr<IGraphBuilder> graph_;
};

TEST_F(VideoWindowPlacement, TheVideoWindowCoversThePreviewAndShowsTheWholeFrame) {
    ShowCamera(320, 240);
    HWND video = GetWindow(preview_, GW_CHILD);
    ASSERT_NE(nullptr, video);
    RECT videoRect{};
    RECT previewRect{};
    GetWindowRect(video, &videoRect);
    GetWindowRect(preview_, &previewRect);
    EXPECT_EQ(previewRect.left, videoRect.left);
    EXPECT_EQ(previewRect.top, videoRect.top);
    EXPECT_EQ(previewRect.right, videoRect.right);
    EXPECT_EQ(previewRect.bottom, videoRect.bottom);
    EXPECT_TRUE(SceneFillsWindow(preview_));
}

TEST_F(VideoWindowPlacement, ALargerFrameIsScaledDownToThePreview) {
    ShowCamera(640, 480);
    EXPECT_TRUE(SceneFillsWindow(preview_));
}

}  // namespace
}  // namespace camera
