// The registered movesense.ax in real Wine graphs, and its COM surface.
#include <gtest/gtest.h>

#include <string>

#include "MotionGraph.h"
// After dshow.h, which it needs.
#include <dvdmedia.h>

namespace motiontest {
namespace {

constexpr int W = 320, H = 240, B = 8;  // level 1: blocks of 8
constexpr long kFrameBytes = W * H * 3;

class ComTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

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

LONG_PTR Words(int low, int high) { return static_cast<LONG_PTR>(static_cast<LONG>(MAKELONG(low, high))); }

const GraphEvent kBaseSet{EC_BASE_FRAME_SET, 0, 0};

class MotionFilterTest : public ComTest {};

TEST_F(MotionFilterTest, RegisteredUnderItsFriendlyNameInTheFilterCategory) {
    ComPtr<ICreateDevEnum> devices;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_PPV_ARGS(&devices)));
    ComPtr<IEnumMoniker> monikers;
    ASSERT_EQ(S_OK, devices->CreateClassEnumerator(CLSID_LegacyAmFilterCategory, &monikers, 0));
    bool found = false;
    ComPtr<IMoniker> moniker;
    while (!found && monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) continue;
        VARIANT name;
        VariantInit(&name);
        if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) &&
            std::wstring(name.bstrVal) == L"Zavu Motion Detect Filter") {
            found = true;
            VARIANT clsid;
            VariantInit(&clsid);
            ASSERT_EQ(S_OK, bag->Read(L"CLSID", &clsid, nullptr));
            EXPECT_EQ(0, _wcsicmp(clsid.bstrVal, L"{A386EF69-3C8B-495C-9FBE-C021A0FE575F}"));
            VariantClear(&clsid);
            ComPtr<IBaseFilter> filter;
            EXPECT_EQ(S_OK, moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter)));
        }
        VariantClear(&name);
    }
    EXPECT_TRUE(found);

    wchar_t value[64] = {};
    LONG size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueW(HKEY_CLASSES_ROOT,
                                            L"CLSID\\{A386EF69-3C8B-495C-9FBE-C021A0FE575F}", value, &size));
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
        EXPECT_TRUE(FAILED(g.Build(r.type, [](LONGLONG, BYTE*, long) { return 0L; }))) << r.what;
        ComPtr<IPin> in = FirstPin(g.motion.Get(), PINDIR_INPUT), peer;
        EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(&peer)) << r.what;
    }

    MotionGraph g;
    ASSERT_EQ(S_OK, g.Build(Rgb24(), [](LONGLONG, BYTE* d, long s) { return Paint(d, s, false); }));
    // The output offers exactly the input's type.
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, FirstPin(g.motion.Get(), PINDIR_OUTPUT)->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* type = nullptr;
    ASSERT_EQ(S_OK, types->Next(1, &type, nullptr));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_RGB24, type->subtype));
    dshowbase::DeleteMediaType(type);
    type = nullptr;
    EXPECT_EQ(S_FALSE, types->Next(1, &type, nullptr));
}

// As the capture engine runs the filter: dynamic mode, no marks. Five black
// frames, five with a blob, five black...: every pass reports the base (the
// base-updated flag stays set) and each change of scene reports motion with
// a zero rectangle.
TEST_F(MotionFilterTest, EngineConfigurationRaisesTheExpectedEvents) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.Build(Rgb24(), [](LONGLONG n, BYTE* d, long s) { return Paint(d, s, (n / 5) % 2 == 1); }));
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    ASSERT_EQ(S_OK, g.settings->StartDetect());
    int off = 0;
    ASSERT_EQ(S_OK, g.settings->MarkMotionOnVideo(&off));
    ASSERT_EQ(S_OK, g.settings->SetDetectParams(1, 1, nullptr));
    g.source->Arm();

    const GraphEvent motion{EC_MOTION_DETECTED, 0, 0};
    const std::vector<GraphEvent> expected = {
        kBaseSet, kBaseSet, kBaseSet, kBaseSet, kBaseSet,   // frames 0-4
        kBaseSet, motion,                                   // frame 5
        kBaseSet, kBaseSet, kBaseSet, kBaseSet,             // frames 6-9
        kBaseSet, motion};                                  // frame 10
    EXPECT_EQ(expected, g.MotionEvents(expected.size(), 10000));

    BITMAPINFOHEADER header{};
    DWORD size = 0;
    ASSERT_EQ(S_OK, g.settings->GetBaseFrame(&header, nullptr, &size));
    EXPECT_EQ(static_cast<DWORD>(kFrameBytes), size);
    EXPECT_EQ(W, header.biWidth);
    std::vector<BYTE> base(size);
    EXPECT_EQ(S_OK, g.settings->GetBaseFrame(&header, base.data(), &size));

    // Whole frames reached the grabber although the source said 1 byte.
    ASSERT_TRUE(g.WaitForFrames(1, 2000));
    EXPECT_EQ(static_cast<size_t>(kFrameBytes), g.frames.Frames()[0].size());

    ASSERT_EQ(S_OK, g.Stop());
    EXPECT_EQ(E_FAIL, g.settings->StartDetect());
}

// With marks drawn as rectangles the event carries the frame rectangle and
// the frame that leaves the filter carries the yellow outline.
TEST_F(MotionFilterTest, RectangleMarksReachTheEventAndTheVideo) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.Build(Rgb24(), [](LONGLONG n, BYTE* d, long s) { return Paint(d, s, n >= 5); }));
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    ASSERT_EQ(S_OK, g.settings->SetDetectParams(1, 1, nullptr));
    int on = 1;
    g.settings->MarkMotionRect(&on);
    g.settings->MarkMotionOnVideo(&on);
    ASSERT_EQ(S_OK, g.settings->StartDetect());
    g.source->Arm();

    const std::vector<GraphEvent> expected = {
        kBaseSet, kBaseSet, kBaseSet, kBaseSet, kBaseSet,
        GraphEvent{EC_MOTION_DETECTED, Words(80, 80), Words(88, 96)}};
    EXPECT_EQ(expected, g.MotionEvents(expected.size(), 10000));

    ASSERT_TRUE(g.WaitForFrames(6, 2000));
    const std::vector<BYTE> marked = g.frames.Frames()[5];
    auto pixel = [&](int x, int y) { return marked.data() + (y * W + x) * 3; };
    const BYTE yellow[3] = {0x00, 0xFF, 0xFF};
    EXPECT_EQ(0, memcmp(pixel(72, 90), yellow, 3));
    EXPECT_EQ(0, memcmp(pixel(104, 90), yellow, 3));
    EXPECT_EQ(0, memcmp(pixel(90, 72), yellow, 3));
    EXPECT_EQ(255, pixel(88, 90)[0]);   // the blob itself is untouched
    EXPECT_EQ(0, pixel(60, 60)[1]);
}

// A stream under 20 x 20 runs, but without detection and without events.
TEST_F(MotionFilterTest, TinyStreamRunsWithoutDetection) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.Build(VideoInfoType(16, 16, 24, MEDIASUBTYPE_RGB24), [](LONGLONG n, BYTE* d, long s) {
        memset(d, n % 2 ? 255 : 0, s);
        return s;
    }));
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    EXPECT_EQ(S_OK, g.settings->StartDetect());
    g.source->Arm();
    EXPECT_TRUE(g.WaitForFrames(10, 5000));
    EXPECT_TRUE(g.MotionEvents(1, 300).empty());
}

// Samples shorter than a frame pass through untouched and start nothing.
TEST_F(MotionFilterTest, TruncatedSamplesPassWithoutDetection) {
    MotionGraph g;
    ASSERT_EQ(S_OK, g.Build(Rgb24(), [](LONGLONG n, BYTE* d, long s) { return Paint(d, s, n % 2 == 1) / 2; }));
    ASSERT_TRUE(SUCCEEDED(g.Run()));
    int on = 1;
    g.settings->MarkMotionOnVideo(&on);
    ASSERT_EQ(S_OK, g.settings->StartDetect());
    g.source->Arm();
    ASSERT_TRUE(g.WaitForFrames(10, 5000));
    EXPECT_TRUE(g.MotionEvents(1, 300).empty());
    EXPECT_EQ(static_cast<size_t>(kFrameBytes / 2), g.frames.Frames()[3].size());
}

}  // namespace
}  // namespace motiontest
