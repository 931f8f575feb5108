// The motion filter's property page as a property frame drives it: created
// through the filter's page list, connected to a real filter, activated into
// a window, edited with control messages, applied, and read back through
// IMotionControl.
#include <gtest/gtest.h>

#include <olectl.h>

#include <string>

#include "MotionGraph.h"
#include "PageHarness.h"
#include "../../filter/MotionPageIds.h"

namespace motiontest {
namespace {

struct Params {
    int level = -1, mode = -1, state = -1, interval = -1, markRect = -1, markVideo = -1;
    RECT rect{-1, -1, -1, -1};
};

Params Read(IMotionControl* control) {
    Params p;
    EXPECT_EQ(S_OK, control->GetParams(&p.level, &p.mode, &p.state, &p.interval, &p.rect, &p.markRect, &p.markVideo));
    return p;
}

// The filter's only page, created from its page list.
class PageFrame : public basetest::CPageHarness {
public:
    explicit PageFrame(IBaseFilter* filter) : CPageHarness(filter, 0) {}
};

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

using MotionPageTest = benchtest::BenchTest;

TEST_F(MotionPageTest, RegisteredAndTitledAsTheFilterNamesIt) {
    wchar_t value[64] = {};
    LONG size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{43072FA3-AEA0-4ED5-9751-C4BBB3FE81E9}", value, &size));
    EXPECT_STREQ(L"Zavu movesense Setting", value);
    DWORD bytes = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CLASSES_ROOT, L"CLSID\\{43072FA3-AEA0-4ED5-9751-C4BBB3FE81E9}\\InprocServer32",
                           L"ThreadingModel", RRF_RT_REG_SZ, nullptr, value, &bytes));
    EXPECT_STREQ(L"Both", value);

    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ASSERT_TRUE(filter);
    PageFrame frame(filter.Get());
    ASSERT_TRUE(frame.page);
    PROPPAGEINFO info{};
    ASSERT_EQ(S_OK, frame.page->GetPageInfo(&info));
    EXPECT_STREQ(L"Zavu movesense Setting", info.pszTitle);
    // 285 x 146 dialog units: wider than high, and never tiny.
    EXPECT_GT(info.size.cx, info.size.cy);
    EXPECT_GT(info.size.cy, 146);
    CoTaskMemFree(info.pszTitle);
}

TEST_F(MotionPageTest, RefusesObjectsWithoutTheSettingsInterface) {
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ASSERT_TRUE(filter);
    PageFrame frame(filter.Get());
    ASSERT_TRUE(frame.page);
    IUnknown* none = nullptr;
    EXPECT_EQ(E_POINTER, frame.page->SetObjects(1, &none));
    ComPtr<IUnknown> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)));
    EXPECT_EQ(E_NOINTERFACE, frame.page->SetObjects(1, graph.GetAddressOf()));
    RECT area{0, 0, 100, 100};
    EXPECT_EQ(E_UNEXPECTED, frame.page->Activate(frame.parent, &area, FALSE));  // nothing connected

    // The page holds a reference only while it is connected.
    const ULONG before = References(filter.Get());
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    EXPECT_GT(References(filter.Get()), before);
    EXPECT_EQ(S_OK, frame.page->Deactivate());
    EXPECT_EQ(S_OK, frame.page->SetObjects(0, nullptr));
    EXPECT_EQ(before, References(filter.Get()));
}

TEST_F(MotionPageTest, ShowsTheFiltersSettingsWithoutBecomingDirty) {
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ComPtr<IMotionControl> control;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&control)));
    int off = 0, on = 1;
    ASSERT_EQ(S_OK, control->SetDetectParams(3, MOTION_MODE_FIXED, nullptr));
    ASSERT_EQ(S_OK, control->SetDetectInterval(250));
    ASSERT_EQ(S_OK, control->MarkMotionRect(&off));
    ASSERT_EQ(S_OK, control->MarkMotionOnVideo(&on));

    PageFrame frame(filter.Get());
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    EXPECT_EQ(L"3", frame.Text(IDC_MOTION_LEVEL));
    EXPECT_EQ(L"250", frame.Text(IDC_MOTION_INTERVAL));
    EXPECT_FALSE(frame.Checked(IDC_MOTION_DYNAMIC));
    EXPECT_FALSE(frame.Checked(IDC_MOTION_MARK_RECT));
    EXPECT_TRUE(frame.Checked(IDC_MOTION_MARK_VIDEO));
    const Params p = Read(control.Get());
    wchar_t rect[64];
    swprintf(rect, 64, L"%d;%d;%d;%d;", static_cast<int>(p.rect.left), static_cast<int>(p.rect.top),
             static_cast<int>(p.rect.right), static_cast<int>(p.rect.bottom));
    EXPECT_EQ(rect, frame.Text(IDC_MOTION_RECT));
    EXPECT_EQ(L"Start Detecting", frame.Text(IDC_MOTION_START_STOP));
    EXPECT_EQ(L"Reset Base Frame?", frame.Text(IDC_MOTION_RESET_BASE));
    // Filling the edit boxes is the page's own doing: nothing to apply yet.
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());
    EXPECT_EQ(0, frame.site.changes);
}

TEST_F(MotionPageTest, AppliesWhatWasTypedAndTicked) {
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ComPtr<IMotionControl> control;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&control)));
    PageFrame frame(filter.Get());
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    // A new filter: level 5, dynamic, no marks, no interval.
    EXPECT_EQ(L"5", frame.Text(IDC_MOTION_LEVEL));
    EXPECT_EQ(L"0", frame.Text(IDC_MOTION_INTERVAL));
    EXPECT_TRUE(frame.Checked(IDC_MOTION_DYNAMIC));
    EXPECT_FALSE(frame.Checked(IDC_MOTION_MARK_RECT));
    EXPECT_FALSE(frame.Checked(IDC_MOTION_MARK_VIDEO));

    frame.Type(IDC_MOTION_LEVEL, L"7");
    EXPECT_EQ(S_OK, frame.page->IsPageDirty());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), frame.site.lastStatus);
    frame.Type(IDC_MOTION_INTERVAL, L"20000");  // above the 10 s the page allows
    frame.Click(IDC_MOTION_DYNAMIC);
    frame.Click(IDC_MOTION_MARK_RECT);
    frame.Click(IDC_MOTION_MARK_VIDEO);
    ASSERT_FALSE(frame.Checked(IDC_MOTION_DYNAMIC));
    ASSERT_TRUE(frame.Checked(IDC_MOTION_MARK_RECT));

    // Nothing reaches the filter before Apply.
    EXPECT_EQ(5, Read(control.Get()).level);
    ASSERT_EQ(S_OK, frame.page->Apply());
    Params p = Read(control.Get());
    EXPECT_EQ(7, p.level);
    EXPECT_EQ(10000, p.interval);
    EXPECT_EQ(MOTION_MODE_FIXED, p.mode);
    EXPECT_EQ(1, p.markRect);
    EXPECT_EQ(1, p.markVideo);
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());

    // A level above 10 is sent as typed and clamped by the detector; text
    // that is no number reads as 0.
    frame.Type(IDC_MOTION_LEVEL, L"15");
    frame.Type(IDC_MOTION_INTERVAL, L"fast");
    frame.Click(IDC_MOTION_DYNAMIC);
    ASSERT_EQ(S_OK, frame.page->Apply());
    p = Read(control.Get());
    EXPECT_EQ(10, p.level);
    EXPECT_EQ(0, p.interval);
    EXPECT_EQ(MOTION_MODE_DYNAMIC, p.mode);
    frame.Type(IDC_MOTION_LEVEL, L"x2");
    ASSERT_EQ(S_OK, frame.page->Apply());
    EXPECT_EQ(0, Read(control.Get()).level);
}

TEST_F(MotionPageTest, EveryCommandMakesThePageDirtyButButtonsNeedAStreamingFilter) {
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ComPtr<IMotionControl> control;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&control)));
    PageFrame frame(filter.Get());
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));

    frame.Click(IDC_MOTION_SPARE_BUTTON);  // a button without an action
    EXPECT_EQ(S_OK, frame.page->IsPageDirty());
    EXPECT_EQ(1, frame.site.changes);
    ASSERT_EQ(S_OK, frame.page->Apply());

    // The filter never streamed: StartDetect is refused, the caption stays.
    frame.Click(IDC_MOTION_START_STOP);
    EXPECT_EQ(L"Start Detecting", frame.Text(IDC_MOTION_START_STOP));
    EXPECT_EQ(MOTION_STATE_IDLE, Read(control.Get()).state);
    EXPECT_EQ(S_OK, frame.page->IsPageDirty());
    frame.Click(IDC_MOTION_RESET_BASE);
    EXPECT_EQ(MOTION_STATE_IDLE, Read(control.Get()).state);
}

TEST_F(MotionPageTest, StartsStopsAndResetsDetectionOnAStreamingFilter) {
    MotionGraph graph;
    ASSERT_EQ(S_OK,
              graph.BuildScripted(VideoInfoType(320, 240, 24, MEDIASUBTYPE_RGB24), [](LONGLONG, BYTE* data, long size) {
                  memset(data, 0, size);
                  return size;
              }));
    ASSERT_TRUE(SUCCEEDED(graph.Pause()));  // streaming started (a live source: S_FALSE), no frame yet
    PageFrame frame(graph.motion.Get());
    ASSERT_EQ(S_OK, frame.Open(graph.motion.Get()));
    ASSERT_EQ(L"Start Detecting", frame.Text(IDC_MOTION_START_STOP));

    frame.Click(IDC_MOTION_START_STOP);
    EXPECT_EQ(L"Stop detect!", frame.Text(IDC_MOTION_START_STOP));
    EXPECT_EQ(MOTION_STATE_DETECTING, Read(graph.settings.Get()).state);
    frame.Click(IDC_MOTION_START_STOP);
    EXPECT_EQ(L"Start Detecting", frame.Text(IDC_MOTION_START_STOP));
    // Stopping leaves the state as it was, so a page opened now offers to stop.
    EXPECT_EQ(MOTION_STATE_DETECTING, Read(graph.settings.Get()).state);
    EXPECT_EQ(S_OK, frame.page->Deactivate());
    EXPECT_EQ(S_OK, frame.page->SetObjects(1, reinterpret_cast<IUnknown**>(graph.motion.GetAddressOf())));
    ASSERT_EQ(S_OK, frame.Activate());
    EXPECT_EQ(L"Stop detect!", frame.Text(IDC_MOTION_START_STOP));

    frame.Click(IDC_MOTION_RESET_BASE);
    EXPECT_EQ(MOTION_STATE_RESET, Read(graph.settings.Get()).state);
    ComPtr<IMediaControl> media;
    ASSERT_EQ(S_OK, graph.sink.graph.As(&media));
    media->Stop();
}

TEST_F(MotionPageTest, AfterDeactivationThePageShowsDefaultsAndSendsNothing) {
    ComPtr<IBaseFilter> filter = benchtest::CreateFilter(CLSID_MotionFilter);
    ComPtr<IMotionControl> control;
    ASSERT_TRUE(filter && SUCCEEDED(filter.As(&control)));
    int on = 1;
    ASSERT_EQ(S_OK, control->SetDetectParams(2, MOTION_MODE_FIXED, nullptr));
    ASSERT_EQ(S_OK, control->SetDetectInterval(500));
    ASSERT_EQ(S_OK, control->MarkMotionOnVideo(&on));

    PageFrame frame(filter.Get());
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    EXPECT_EQ(L"2", frame.Text(IDC_MOTION_LEVEL));
    ASSERT_EQ(S_OK, frame.page->Deactivate());
    ASSERT_EQ(S_OK, frame.Activate());
    // The defaults, not the filter's values.
    EXPECT_EQ(L"5", frame.Text(IDC_MOTION_LEVEL));
    EXPECT_EQ(L"0", frame.Text(IDC_MOTION_INTERVAL));
    EXPECT_EQ(L"0;0;0;0;", frame.Text(IDC_MOTION_RECT));
    EXPECT_TRUE(frame.Checked(IDC_MOTION_DYNAMIC));
    EXPECT_TRUE(frame.Checked(IDC_MOTION_MARK_RECT));
    EXPECT_FALSE(frame.Checked(IDC_MOTION_MARK_VIDEO));
    frame.Type(IDC_MOTION_LEVEL, L"9");
    EXPECT_EQ(S_OK, frame.page->Apply());
    const Params p = Read(control.Get());
    EXPECT_EQ(2, p.level);
    EXPECT_EQ(500, p.interval);
    EXPECT_EQ(MOTION_MODE_FIXED, p.mode);
}

}  // namespace
}  // namespace motiontest
