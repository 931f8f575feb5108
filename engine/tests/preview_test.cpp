// The live preview: the bench camera through the effects filter, Smart Tee
// and grabber into the test's host window, and the mode, device and format
// changes that keep or rebuild it.
#include "engine/tests/PreviewSupport.h"

#include "engine/win/CaptureEngineState.h"
#include "engine/win/EffectFilterAccess.h"
#include "engine/tests/ScreenPixels.h"
#include "MessagePump.h"

#include <algorithm>

namespace enginetest {
namespace {

using camera::ComPtr;
using camera::Engine;

CLSID ClassOf(IBaseFilter* filter) {
    CLSID clsid{};
    if (filter != nullptr) filter->GetClassID(&clsid);
    return clsid;
}

bool Contains(const std::vector<std::wstring>& names, const wchar_t* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

using Preview = PreviewTest;

TEST_F(Preview, TheCameraRunsThroughTheEffectIntoTheHostWindow) {
    ASSERT_EQ(1, Start(0));
    const std::vector<std::wstring> names = FilterNames();
    for (const wchar_t* name : {L"Video Capture", L"Effect", L"Smart Tee", L"Grabber"})
        EXPECT_TRUE(Contains(names, name)) << "missing " << std::string(name, name + wcslen(name));
    EXPECT_GE(names.size(), 5u);  // and a renderer
    EXPECT_TRUE(camera::HasVideoEffect(Engine().effect.Get()));
    EXPECT_EQ(State_Running, PreviewState());

    HWND video = GetWindow(host_.Handle(), GW_CHILD);
    ASSERT_NE(nullptr, video);
    EXPECT_TRUE(IsWindowVisible(video));

    std::vector<BYTE> frame;
    LONG width = 0;
    LONG height = 0;
    ASSERT_TRUE(WaitForGrabbedFrame(frame, width, height));
    EXPECT_EQ(320, width);
    EXPECT_EQ(240, height);
    EXPECT_TRUE(frame == SceneFrame(width, height)) << "the grabber does not see the camera's scene";

    EXPECT_EQ(1, GetGraphStatus());
    ASSERT_GE(dismisser_.WaitFor(1, 3000), 1u);
    EXPECT_EQ(L"running", dismisser_.Dismissed().back().text);
    EXPECT_EQ(0u, BoxesSaying(L"The Effect Filter is not found"));
}

// The program's preview is a child at an offset inside its main window; the
// renderer must show the whole frame in it, whatever is changed.
TEST_F(Preview, TheWholePictureFillsAnInnerPreviewThroughFormatZoomMirrorAndModeChanges) {
    HWND preview = CreateFacedWindow(host_.Handle(), 40, 16, 240, 180);
    ASSERT_EQ(1, SetPreviewWnd(preview));
    ASSERT_EQ(1, Start(0, 0));
    const auto shown = [&](bool mirrored) {
        std::vector<BYTE> frame;
        LONG width = 0;
        LONG height = 0;
        WaitForGrabbedFrame(frame, width, height);
        testbench::PumpFor(300);
        return SceneFillsWindow(preview, mirrored);
    };
    EXPECT_TRUE(shown(false)) << "320 x 240";
    ASSERT_EQ(1, SetVideoFormat(2, 0));
    EXPECT_TRUE(shown(false)) << "640 x 480";

    // Twice the size: the middle half of the frame, bars 2 to 5.
    ASSERT_EQ(1, Zoom(2.0f));
    shown(false);
    const CScreenPixels zoomed(preview);
    EXPECT_TRUE(NearColour(benchscene::BackgroundPixel(8, 8, 2, 0), zoomed.At(2, 60))) << "zoomed, left";
    EXPECT_TRUE(NearColour(benchscene::BackgroundPixel(8, 8, 5, 0), zoomed.At(237, 60))) << "zoomed, right";
    ASSERT_EQ(1, Zoom(1.0f));
    EXPECT_TRUE(shown(false)) << "zoomed out";
    ASSERT_EQ(1, SetMirrorMode(1));
    EXPECT_TRUE(shown(true)) << "mirrored";
    ASSERT_EQ(1, SetMirrorMode(0));

    ASSERT_EQ(1, SetMode(5));
    EXPECT_TRUE(shown(false)) << "monitor graph";
    ASSERT_EQ(1, SetMode(3));
    EXPECT_TRUE(shown(false)) << "image mode after the monitor";
}

TEST_F(Preview, PreviewModesShareOneGraphAndSoundModeOnlyStopsIt) {
    ASSERT_EQ(1, Start(0));
    ComPtr<IGraphBuilder> graph = PreviewGraph();
    ASSERT_TRUE(graph);
    EXPECT_EQ(1, SetMode(3));
    EXPECT_EQ(graph.Get(), PreviewGraph().Get());
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_EQ(1, SetMode(5));
    EXPECT_EQ(1, SetMode(2));
    EXPECT_EQ(State_Stopped, PreviewState());
    EXPECT_EQ(1, SetMode(0));
    EXPECT_EQ(graph.Get(), PreviewGraph().Get());  // run again, not rebuilt
    EXPECT_EQ(State_Running, PreviewState());
}

TEST_F(Preview, ABusyCameraIsTriedForASecondAndReportedOnce) {
    ASSERT_EQ(S_OK, bench_->SetCameraBusy(TRUE));
    const CStopwatch watch;
    ASSERT_EQ(1, Start(0));  // the failed preview does not fail the start
    EXPECT_GE(watch.Ms(), 950.0);
    EXPECT_EQ(1u, BoxesSaying(L"The camera is used by another program"));
    EXPECT_EQ(0, SetMode(3));
    EXPECT_EQ(2u, BoxesSaying(L"The camera is used by another program"));

    ASSERT_EQ(S_OK, bench_->SetCameraBusy(FALSE));
    EXPECT_EQ(1, SetMode(3));
    EXPECT_EQ(State_Running, PreviewState());
}

TEST_F(Preview, ANewCameraGoesIntoTheRunningPreviewAlsoAfterAStartByName) {
    wcscpy(videoName_, BENCH_CAMERA2_NAME);
    ASSERT_EQ(1, Start(0));
    EXPECT_EQ(CLSID_BenchCamera2, ClassOf(Engine().videoCapture.Get()));
    ComPtr<IGraphBuilder> before = PreviewGraph();

    // The start by name left no index selected; the switch must still
    // rebuild the preview around the new camera.
    ASSERT_EQ(1, SelectVideoDevice(0, 640, 480));
    EXPECT_EQ(CLSID_BenchCamera, ClassOf(Engine().videoCapture.Get()));
    EXPECT_NE(before.Get(), PreviewGraph().Get());
    EXPECT_EQ(State_Running, PreviewState());
    const SIZE size = GrabbedFrameSize();
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(480, size.cy);

    // The same index again is nothing to do.
    ComPtr<IGraphBuilder> after = PreviewGraph();
    EXPECT_EQ(1, SelectVideoDevice(0, 0, 0));
    EXPECT_EQ(after.Get(), PreviewGraph().Get());
}

TEST_F(Preview, FormatSwitchRebuildsOnlyWhenAskedOrNeeded) {
    ASSERT_EQ(1, Start(0, 0));
    ComPtr<IGraphBuilder> graph = PreviewGraph();
    ASSERT_EQ(1, SetVideoFormat(2, 0));  // 640 x 480
    EXPECT_EQ(640, GrabbedFrameSize().cx);

    graph = PreviewGraph();
    EXPECT_EQ(1, SetVideoFormat(2, 0));
    EXPECT_EQ(graph.Get(), PreviewGraph().Get());
    EXPECT_EQ(1, SetVideoFormat(2, 1));
    EXPECT_NE(graph.Get(), PreviewGraph().Get());
    EXPECT_EQ(State_Running, PreviewState());
}

TEST_F(Preview, AFailedSwitchIsTriedAgainNotAnsweredFromMemory) {
    ASSERT_EQ(1, Start(0, 0));
    // The bench camera lists YUY2 but delivers RGB24 only.
    ASSERT_EQ(0, SetVideoFormat(3, 0));
    EXPECT_NE(State_Running, PreviewState());
    EXPECT_EQ(0, SetVideoFormat(3, 0));
    EXPECT_EQ(1, SetVideoFormat(0, 0));
    EXPECT_EQ(State_Running, PreviewState());
}

// A rebuild that failed leaves the preview graph empty; a later mode switch
// must build it again, not run the empty graph and answer done.
TEST_F(Preview, AModeSwitchAfterAFailedRebuildBuildsThePreviewAgain) {
    ASSERT_EQ(1, Start(0, 0));
    ASSERT_EQ(S_OK, bench_->SetCameraBusy(TRUE));
    ASSERT_EQ(0, SetVideoFormat(0, 1));
    ASSERT_EQ(S_OK, bench_->SetCameraBusy(FALSE));
    EXPECT_EQ(1, SetMode(3));
    EXPECT_TRUE(Contains(FilterNames(), L"Grabber"));
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_EQ(1, SetMode(2));
    EXPECT_EQ(1, SetMode(0));
    EXPECT_EQ(320, GrabbedFrameSize().cx);
}

// Each camera has its own format list: after a switch no entry counts as
// chosen until the caller chooses one for the new camera.
TEST_F(Preview, ANewCameraDoesNotInheritTheFormatChosenForTheOldOne) {
    ASSERT_EQ(1, Start(0, 2));  // 640 x 480 on the first camera
    ASSERT_EQ(640, GrabbedFrameSize().cx);
    ASSERT_EQ(1, SelectVideoDevice(1, 0, 0));
    EXPECT_EQ(320, GrabbedFrameSize().cx);  // the second camera's own format
    EXPECT_EQ(camera::kNoFormatIndex, Engine().values.currentFormatIndex);
    EXPECT_EQ(1, SetVideoFormat(2, 0));
    EXPECT_EQ(640, GrabbedFrameSize().cx);

    // A size given with the switch chooses its entry.
    ASSERT_EQ(1, SelectVideoDevice(0, 176, 144));
    EXPECT_EQ(176, GrabbedFrameSize().cx);
    EXPECT_EQ(1, Engine().values.currentFormatIndex);
}

TEST_F(Preview, ResumeAfterSuspendRebuildsThePreviewInTheCurrentFormat) {
    ASSERT_EQ(1, Start(3, 2));
    ComPtr<IGraphBuilder> graph = PreviewGraph();
    HWND hidden = FindHiddenWindow();
    SendMessageA(hidden, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageA(hidden, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_NE(graph.Get(), PreviewGraph().Get());
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_EQ(640, GrabbedFrameSize().cx);
}

TEST_F(Preview, UninitializeLeavesNoFilterAndNoWindowBehind) {
    LONG baseline = 0;
    ASSERT_EQ(S_OK, bench_->GetLiveObjectCount(&baseline));
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(1, Start(0));
        ASSERT_NE(nullptr, GetWindow(host_.Handle(), GW_CHILD));
        ASSERT_EQ(1, Uninitialize());
        testbench::PumpFor(50);
        EXPECT_EQ(nullptr, GetWindow(host_.Handle(), GW_CHILD)) << round;
        LONG live = 0;
        ASSERT_EQ(S_OK, bench_->GetLiveObjectCount(&live));
        EXPECT_EQ(baseline, live) << round;
    }
}

}  // namespace
}  // namespace enginetest
