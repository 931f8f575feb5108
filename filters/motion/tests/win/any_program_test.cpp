// The motion filter on the road any DirectShow program takes: found in the
// filter mapper by what it takes, joined to the bench camera by Intelligent
// Connect and started from its page in the system's property frame. It
// keeps no state in streams: it offers no IPersistStream, so a graph editor
// stores only its class. Wine's property frame never calls a page's Apply,
// so the settings come through the interface, as the engine gives them, and
// the page's start button (which acts at once) starts detection.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnyProgram.h"
#include "CDialogDismisser.h"
#include "IMotionControl.h"
#include "../../filter/MotionPageIds.h"

namespace motiontest {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int W = 320, H = 240;
constexpr DWORD kWaitMs = 30000;
constexpr int kStill = 4;
const BYTE kYellow[3] = {0x00, 0xFF, 0xFF};  // blue, green, red

class AnyProgramTest : public benchtest::BenchTest {};

void Click(HWND frame, int id) {
    HWND control = nullptr;
    for (int i = 0; i < 100 && !(control = benchtest::FindControl(frame, id)); ++i) Sleep(20);
    if (control) SendMessageW(control, BM_CLICK, 0, 0);
}

// Level 1 in dynamic mode with rectangles on the video: the dynamic base
// then boxes the bench camera's square where the camera's own tests work it
// out (reduced columns 0-5 and rows 15-21, times the block of 8, in yellow).
TEST_F(AnyProgramTest, MapperConnectAndPropertyFrameReachTheFilter) {
    const std::vector<CLSID> found = benchtest::FiltersTakingVideo(MEDIASUBTYPE_RGB24, MERIT_DO_NOT_USE);
    ASSERT_NE(found.end(), std::find(found.begin(), found.end(), CLSID_MotionFilter));
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ComPtr<IMotionControl> motion;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&motion)));
    ComPtr<IPersistStream> persist;
    EXPECT_EQ(E_NOINTERFACE, filter.As(&persist));

    const BenchSceneStep script[] = {{BENCH_SCENE_STILL, kStill}, {BENCH_SCENE_OBJECT_AT_REST, 1}};
    ASSERT_EQ(S_OK, bench->SetSceneScript(script, 2));
    benchtest::CAnyProgramGraph g;
    ASSERT_EQ(S_OK, g.Build(filter.Get()));
    ASSERT_TRUE(SUCCEEDED(g.control->Pause()));  // streaming, no frame yet
    int on = 1;
    ASSERT_EQ(S_OK, motion->SetDetectParams(1, MOTION_MODE_DYNAMIC, nullptr));
    ASSERT_EQ(S_OK, motion->MarkMotionRect(&on));
    ASSERT_EQ(S_OK, motion->MarkMotionOnVideo(&on));

    testbench::CDialogDismisser dismisser(IDOK);
    dismisser.SetBeforePress([](HWND frame) { Click(frame, IDC_MOTION_START_STOP); });
    ASSERT_EQ(S_OK, benchtest::ShowPropertyFrame(filter.Get()));
    ASSERT_EQ(1u, dismisser.Dismissed().size());
    int state = -1;
    ASSERT_EQ(S_OK, motion->GetParams(nullptr, nullptr, &state, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(MOTION_STATE_DETECTING, state);

    ASSERT_TRUE(g.RunFor(kStill + 1, kWaitMs));
    const std::vector<benchtest::GrabbedSample> frames = g.log.Samples();
    const auto at = std::find_if(frames.begin(), frames.end(), [](const auto& f) { return f.mediaTime == kStill; });
    ASSERT_NE(frames.end(), at);
    std::vector<BYTE> marked(W * H * 3);
    ASSERT_EQ(S_OK, bench->RenderFrame(W, H, kStill, marked.data(), static_cast<DWORD>(marked.size())));
    const auto paint = [&](int x, int y) { memcpy(&marked[(y * W + x) * 3], kYellow, 3); };
    for (int x = 0; x <= 48; ++x) paint(x, 120), paint(x, 168);
    for (int y = 120; y <= 168; ++y) paint(0, y), paint(48, y);
    EXPECT_TRUE(marked == at->bytes);
}

}  // namespace
}  // namespace motiontest
