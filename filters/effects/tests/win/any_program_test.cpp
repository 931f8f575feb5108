// The effects filter on the road any DirectShow program takes: found in the
// filter mapper by what it takes, joined to the bench camera by Intelligent
// Connect, set in the system's property frame as a user sets it, and kept
// through IPersistStream for a new instance. Wine's property frame never
// calls a page's Apply, so the choice is made on the gallery page, which
// sends every click at once.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnyProgram.h"
#include "CDialogDismisser.h"
#include "CEffectSimplePage.h"
#include "GalleryTables.h"
#include "IVideoEffect.h"

namespace lenstinttest {
namespace {

using Microsoft::WRL::ComPtr;

constexpr DWORD kWaitMs = 30000;
constexpr int kNegativeItem = 9;  // the gallery's "Negative"

std::vector<BYTE> BenchFrame(IBenchDeviceControl* bench, LONGLONG n, size_t size) {
    std::vector<BYTE> frame(size);
    EXPECT_EQ(S_OK, bench->RenderFrame(320, 240, n, frame.data(), static_cast<DWORD>(size)));
    return frame;
}

class AnyProgramTest : public benchtest::BenchTest {};

TEST_F(AnyProgramTest, MapperConnectPropertyFrameAndStreamAllReachTheFilter) {
    const std::vector<CLSID> found = benchtest::FiltersTakingVideo(MEDIASUBTYPE_RGB24, MERIT_DO_NOT_USE);
    ASSERT_NE(found.end(), std::find(found.begin(), found.end(), CLSID_EffectFilter));
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_EffectFilter);
    ComPtr<IVideoEffect> effect;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&effect)));

    benchtest::CAnyProgramGraph g;
    ASSERT_EQ(S_OK, g.Build(filter.Get()));
    ASSERT_TRUE(g.RunFor(2, kWaitMs));
    benchtest::GrabbedSample before = g.log.Samples().back();
    ASSERT_EQ(320u * 240 * 3, before.bytes.size());
    EXPECT_EQ(BenchFrame(bench.Get(), before.mediaTime, before.bytes.size()), before.bytes);

    // Go to the second page, click "Negative" and close with OK.
    testbench::CDialogDismisser dismisser(IDOK);
    dismisser.SetBeforePress([](HWND frame) {
        SendMessageW(frame, PSM_SETCURSEL, 1, 0);
        HWND grid = nullptr;
        for (int i = 0; i < 100 && !(grid = benchtest::FindControl(frame, lenstint::CEffectSimplePage::kGridControlId));
             ++i)
            Sleep(20);
        if (!grid) return;
        const lenstint::CellRect cell = lenstint::GalleryCell(kNegativeItem, lenstint::CEffectSimplePage::kGridWidth,
                                                              lenstint::CEffectSimplePage::kGridHeight)
                                            .cell;
        const LPARAM at = MAKELPARAM(cell.x + cell.width / 2, cell.y + cell.height / 2);
        SendMessageW(grid, WM_MOUSEMOVE, 0, at);
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    });
    ASSERT_EQ(S_OK, benchtest::ShowPropertyFrame(filter.Get()));
    ASSERT_EQ(1u, dismisser.Dismissed().size());
    EXPECT_EQ(IDOK, dismisser.Dismissed()[0].pressed);
    int id = 0, param = 0;
    ASSERT_EQ(S_OK, effect->GetEffect(&id, &param));
    EXPECT_EQ(VIDEO_EFFECT_NEGATIVE, id);

    g.log.Clear();
    ASSERT_TRUE(g.log.WaitFor(3, kWaitMs));
    const benchtest::GrabbedSample after = g.log.Samples().back();
    std::vector<BYTE> negative = BenchFrame(bench.Get(), after.mediaTime, after.bytes.size());
    for (BYTE& b : negative) b = static_cast<BYTE>(255 - b);
    EXPECT_TRUE(negative == after.bytes);

    // A graph editor saving the graph keeps the filter's stream; a new
    // instance loaded from it has the same effect.
    ComPtr<IStream> saved = benchtest::SaveToStream(filter.Get());
    ASSERT_TRUE(saved);
    ComPtr<IBaseFilter> copy = benchtest::CreateFilter(CLSID_EffectFilter);
    ComPtr<IPersistStream> load;
    ComPtr<IVideoEffect> copyEffect;
    ASSERT_TRUE(copy && SUCCEEDED(copy.As(&load)) && SUCCEEDED(copy.As(&copyEffect)));
    ASSERT_EQ(S_OK, load->Load(saved.Get()));
    ASSERT_EQ(S_OK, copyEffect->GetEffect(&id, &param));
    EXPECT_EQ(VIDEO_EFFECT_NEGATIVE, id);
}

}  // namespace
}  // namespace lenstinttest
