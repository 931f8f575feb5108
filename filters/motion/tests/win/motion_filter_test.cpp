// The registered movesense.ax: its COM surface, and real Wine graphs fed by a
// scripted source with what the bench camera cannot deliver (other types,
// a sample size of one byte, tiny and truncated frames).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "MotionGraph.h"
// After dshow.h, which it needs.
#include <dvdmedia.h>

namespace motiontest {
namespace {

constexpr int W = 320, H = 240, B = 8;  // level 1: blocks of 8
constexpr long kFrameBytes = W * H * 3;

// Black, or white blocks over reduced columns 10-11 and rows 10-12.
long Paint(BYTE* data, long size, bool blob) {
    const long bytes = size < kFrameBytes ? size : kFrameBytes;
    memset(data, 0, bytes);
    if (blob) {
        for (int y = 10 * B; y < 13 * B; ++y) memset(data + (y * W + 10 * B) * 3, 255, 2 * B * 3);
    }
    return bytes;
}

// As Wine's AVI splitter describes RGB24: a sample size of one byte.
dshowbase::CMediaType Rgb24(int w = W, int h = H) {
    dshowbase::CMediaType type = VideoInfoType(w, h, 24, MEDIASUBTYPE_RGB24);
    type.lSampleSize = 1;
    return type;
}

using MotionFilterTest = benchtest::BenchTest;

TEST_F(MotionFilterTest, RegisteredUnderItsFriendlyNameInTheFilterCategory) {
    const std::vector<std::wstring> names = benchtest::DeviceNames(CLSID_LegacyAmFilterCategory);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), L"Zavu Motion Detect Filter"));
    ComPtr<IBaseFilter> filter = benchtest::BindDevice(CLSID_LegacyAmFilterCategory, L"Zavu Motion Detect Filter");
    ASSERT_TRUE(filter);
    CLSID clsid{};
    EXPECT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_MotionFilter, clsid));

    wchar_t value[64] = {};
    LONG size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{A386EF69-3C8B-495C-9FBE-C021A0FE575F}", value, &size));
    EXPECT_STREQ(L"movesense", value);
    DWORD bytes = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CLASSES_ROOT, L"CLSID\\{A386EF69-3C8B-495C-9FBE-C021A0FE575F}\\InprocServer32",
                           L"ThreadingModel", RRF_RT_REG_SZ, nullptr, value, &bytes));
    EXPECT_STREQ(L"Both", value);
}

TEST_F(MotionFilterTest, AnswersItsInterfacesAndNoPersistence) {
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MotionFilter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)));
    EXPECT_EQ(E_POINTER, filter->QueryInterface(IID_IMotionControl, nullptr));
    ComPtr<IMotionControl> settings;
    EXPECT_EQ(S_OK, filter.As(&settings));
    ComPtr<IPersistStream> persist;
    EXPECT_EQ(E_NOINTERFACE, filter.As(&persist));
    CLSID clsid{};
    EXPECT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_MotionFilter, clsid));

    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, filter.As(&pages));
    EXPECT_EQ(E_POINTER, pages->GetPages(nullptr));
    CAUUID list{};
    ASSERT_EQ(S_OK, pages->GetPages(&list));
    ASSERT_EQ(1u, list.cElems);
    EXPECT_TRUE(IsEqualCLSID(CLSID_MotionFilterPage, list.pElems[0]));
    CoTaskMemFree(list.pElems);

    ComPtr<IPin> in, out;
    EXPECT_EQ(S_OK, filter->FindPin(L"XForm In", &in));
    EXPECT_EQ(S_OK, filter->FindPin(L"XForm Out", &out));
}

TEST_F(MotionFilterTest, SettingsBeforeAnyStream) {
    ComPtr<IMotionControl> settings;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MotionFilter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&settings)));
    EXPECT_EQ(E_FAIL, settings->StartDetect());
    EXPECT_EQ(E_FAIL, settings->ResetBaseFrame());
    RECT rect{1, 2, 3, 4};
    EXPECT_EQ(S_OK, settings->SetDetectParams(15, 0, &rect));
    EXPECT_EQ(0, rect.left | rect.top | rect.right | rect.bottom);
    int level = 0, mode = -1, state = -1, interval = -1, markRect = -1, markVideo = -1;
    EXPECT_EQ(S_OK, settings->GetParams(&level, &mode, &state, &interval, &rect, &markRect, &markVideo));
    EXPECT_EQ(10, level);
    EXPECT_EQ(0, mode);
    EXPECT_EQ(0, state);
    EXPECT_EQ(0, interval);
    EXPECT_EQ(0, markRect);
    EXPECT_EQ(0, markVideo);
    BITMAPINFOHEADER header{};
    DWORD size = 5;
    EXPECT_EQ(E_POINTER, settings->GetBaseFrame(nullptr, nullptr, &size));
    EXPECT_EQ(E_POINTER, settings->GetBaseFrame(&header, nullptr, nullptr));
    EXPECT_EQ(E_POINTER, settings->MarkMotionRect(nullptr));
    EXPECT_EQ(S_OK, settings->GetBaseFrame(&header, nullptr, &size));
    EXPECT_EQ(0u, size);
}

TEST_F(MotionFilterTest, AcceptsOnlyRgb24WithAVideoInfoHeader) {
    struct Refused {
        const char* what;
        dshowbase::CMediaType type;
    };
    dshowbase::CMediaType info2(MEDIATYPE_Video);
    info2.subtype = MEDIASUBTYPE_RGB24;
    info2.formattype = FORMAT_VideoInfo2;
    auto* v2 = reinterpret_cast<VIDEOINFOHEADER2*>(info2.AllocFormat(sizeof(VIDEOINFOHEADER2)));
    v2->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    v2->bmiHeader.biWidth = W;
    v2->bmiHeader.biHeight = H;
    v2->bmiHeader.biBitCount = 24;
    v2->bmiHeader.biPlanes = 1;
    info2.lSampleSize = kFrameBytes;
    // A VideoInfo type whose format block is cut short of a VIDEOINFOHEADER.
    dshowbase::CMediaType shortBlock = VideoInfoType(W, H, 24, MEDIASUBTYPE_RGB24);
    std::vector<BYTE> cut(shortBlock.pbFormat, shortBlock.pbFormat + sizeof(VIDEOINFOHEADER) - 4);
    shortBlock.SetFormat(cut.data(), static_cast<ULONG>(cut.size()));
    const Refused refused[] = {
        {"short format block", shortBlock},
        {"RGB32", VideoInfoType(W, H, 32, MEDIASUBTYPE_RGB32)},
        {"YUY2", VideoInfoType(W, H, 16, MEDIASUBTYPE_YUY2)},
        {"RGB24 subtype with 32 bits", VideoInfoType(W, H, 32, MEDIASUBTYPE_RGB24)},
        {"VIDEOINFOHEADER2", info2},
    };
    for (const Refused& r : refused) {
        MotionGraph g;
        EXPECT_TRUE(FAILED(g.BuildScripted(r.type, [](LONGLONG, BYTE*, long) { return 0L; }))) << r.what;
        ComPtr<IPin> in = benchtest::FirstPin(g.motion.Get(), PINDIR_INPUT), peer;
        EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(&peer)) << r.what;
    }

    MotionGraph g;
    ASSERT_EQ(S_OK, g.BuildScripted(Rgb24(), [](LONGLONG, BYTE* d, long s) { return Paint(d, s, false); }));
    // The output offers exactly the input's type.
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, benchtest::FirstPin(g.motion.Get(), PINDIR_OUTPUT)->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* type = nullptr;
    ASSERT_EQ(S_OK, types->Next(1, &type, nullptr));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_RGB24, type->subtype));
    dshowbase::DeleteMediaType(type);
    type = nullptr;
    EXPECT_EQ(S_FALSE, types->Next(1, &type, nullptr));
}

// A source that says its samples are one byte still gets whole frames
// through the filter, and detection runs on them: five black frames, then a
// blob, in the engine's configuration.
TEST_F(MotionFilterTest, SampleSizeOfOneByteStillCarriesWholeFramesToDetection) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.BuildScripted(Rgb24(), [](LONGLONG n, BYTE* d, long s) { return Paint(d, s, n >= 5); }));
    ASSERT_TRUE(SUCCEEDED(g.Pause()));
    ASSERT_EQ(S_OK, g.settings->StartDetect());
    int off = 0;
    ASSERT_EQ(S_OK, g.settings->MarkMotionOnVideo(&off));
    ASSERT_EQ(S_OK, g.settings->SetDetectParams(1, MOTION_MODE_DYNAMIC, nullptr));
    ASSERT_TRUE(SUCCEEDED(g.Run()));

    const std::vector<GraphEvent> expected = {kBaseFrameSet, kBaseFrameSet, kBaseFrameSet,       kBaseFrameSet,
                                              kBaseFrameSet, kBaseFrameSet, MotionAt(0, 0, 0, 0)};
    EXPECT_EQ(expected, g.MotionEvents(expected.size(), 10000));
    ASSERT_TRUE(g.WaitForFrames(1, 2000));
    EXPECT_EQ(static_cast<size_t>(kFrameBytes), g.Frames()[0].bytes.size());
}

// A stream under 20 x 20 runs, but without detection and without events.
TEST_F(MotionFilterTest, TinyStreamRunsWithoutDetection) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.BuildScripted(VideoInfoType(16, 16, 24, MEDIASUBTYPE_RGB24), [](LONGLONG n, BYTE* d, long s) {
        memset(d, n % 2 ? 255 : 0, s);
        return s;
    }));
    ASSERT_TRUE(SUCCEEDED(g.Pause()));
    EXPECT_EQ(S_OK, g.settings->StartDetect());
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    EXPECT_TRUE(g.WaitForFrames(10, 5000));
    EXPECT_TRUE(g.PendingMotionEvents().empty());
}

// Samples shorter than a frame pass through untouched and start nothing.
TEST_F(MotionFilterTest, TruncatedSamplesPassWithoutDetection) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.BuildScripted(Rgb24(), [](LONGLONG n, BYTE* d, long s) { return Paint(d, s, n % 2 == 1) / 2; }));
    ASSERT_TRUE(SUCCEEDED(g.Pause()));
    int on = 1;
    g.settings->MarkMotionOnVideo(&on);
    ASSERT_EQ(S_OK, g.settings->StartDetect());
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    ASSERT_TRUE(g.WaitForFrames(10, 5000));
    EXPECT_TRUE(g.PendingMotionEvents().empty());
    EXPECT_EQ(static_cast<size_t>(kFrameBytes / 2), g.Frames()[3].bytes.size());
}

// Frames are DIB rows, padded to four bytes: at a width that needs padding
// the same scene is found at the same place as at one that does not, and
// the padding bytes are never drawn on.
TEST_F(MotionFilterTest, PaddedRowsAreReadAsTheSceneTheyHold) {
    GraphEvent found[2] = {};
    const int widths[2] = {W, W + 2};  // rows of 960 bytes; of 966 padded to 968
    for (int i = 0; i < 2; ++i) {
        const int w = widths[i];
        const long stride = (w * 3 + 3) & ~3;
        MotionGraph g;
        ASSERT_EQ(S_OK, g.BuildScripted(Rgb24(w, H), [=](LONGLONG n, BYTE* d, long s) {
            if (s < stride * H) return 0L;
            memset(d, 0, stride * H);
            for (int y = 10 * B; n >= 5 && y < 13 * B; ++y) memset(d + y * stride + 10 * B * 3, 255, 2 * B * 3);
            return stride * H;
        }));
        ASSERT_TRUE(SUCCEEDED(g.Pause()));
        ASSERT_EQ(S_OK, g.settings->StartDetect());
        int on = 1;
        ASSERT_EQ(S_OK, g.settings->MarkMotionOnVideo(&on));
        ASSERT_EQ(S_OK, g.settings->MarkMotionRect(&on));
        ASSERT_EQ(S_OK, g.settings->SetDetectParams(1, MOTION_MODE_DYNAMIC, nullptr));
        ASSERT_TRUE(SUCCEEDED(g.Run()));
        // The still frames raise base events; the blob's frame the motion.
        for (const GraphEvent& e : g.MotionEvents(8, 10000))
            if (e.code == EC_MOTION_DETECTED && found[i].code == 0) found[i] = e;
        ASSERT_EQ(EC_MOTION_DETECTED, found[i].code) << w;
        ASSERT_TRUE(g.WaitForFrames(12, 10000));
        for (const auto& frame : g.Frames()) {
            ASSERT_EQ(static_cast<size_t>(stride * H), frame.bytes.size());
            for (int y = 0; y < H; ++y)
                for (long x = w * 3; x < stride; ++x) ASSERT_EQ(0, frame.bytes[y * stride + x]) << y;
        }
    }
    EXPECT_EQ(found[0], found[1]);
    EXPECT_FALSE(MotionAt(0, 0, 0, 0) == found[1]);
}

}  // namespace
}  // namespace motiontest
