// The virtual camera under Wine: in real graphs with Wine's Sample Grabber
// and Null Renderer, through the device enumerator, and through its
// configuration and control interfaces.
#include "BenchTestSupport.h"
#include "RecordingPageSite.h"

#include "Scene.h"

#include <cstring>

namespace benchtest {
namespace {

constexpr LONG kWidth = 320;  // the camera's format at start
constexpr LONG kHeight = 240;

class CameraTest : public BenchTest {
protected:
    ComPtr<IBaseFilter> Camera() { return BindDevice(CLSID_VideoInputDeviceCategory, BENCH_CAMERA_NAME); }

    // Every grabbed frame equals the scene's frame of the same media time.
    void ExpectFramesMatchScene(const std::vector<GrabbedSample>& samples, LONG width, LONG height) {
        ASSERT_FALSE(samples.empty());
        std::vector<BYTE> expected(benchscene::FrameSize(width, height));
        for (const GrabbedSample& sample : samples) {
            ASSERT_GE(sample.mediaTime, 0);
            ASSERT_EQ(S_OK, bench->RenderFrame(width, height, sample.mediaTime, expected.data(),
                                               static_cast<DWORD>(expected.size())));
            ASSERT_EQ(expected.size(), sample.bytes.size());
            ASSERT_EQ(0, std::memcmp(expected.data(), sample.bytes.data(), expected.size()))
                << "frame " << sample.mediaTime;
        }
    }
};

TEST_F(CameraTest, EnumeratorListsTheDevicesByFriendlyName) {
    const std::vector<std::wstring> video = DeviceNames(CLSID_VideoInputDeviceCategory);
    const std::vector<std::wstring> cameras = {BENCH_CAMERA_NAME, BENCH_CAMERA2_NAME, BENCH_ANALOG_CAMERA_NAME};
    std::vector<std::wstring> found;
    for (const std::wstring& name : video) {
        for (const std::wstring& camera : cameras) {
            if (name == camera) {
                found.push_back(name);
            }
        }
    }
    EXPECT_EQ(cameras, found);  // all three, in this order

    const std::vector<std::wstring> audio = DeviceNames(CLSID_AudioInputDeviceCategory);
    EXPECT_NE(audio.end(), std::find(audio.begin(), audio.end(), BENCH_MICROPHONE_NAME));
    EXPECT_NE(audio.end(), std::find(audio.begin(), audio.end(), BENCH_TUNER_AUDIO_NAME));

    ComPtr<IBaseFilter> camera = Camera();
    ASSERT_TRUE(camera);
    CLSID clsid{};
    camera->GetClassID(&clsid);
    EXPECT_EQ(CLSID_BenchCamera, clsid);
}

TEST_F(CameraTest, FramesReachTheGrabberByteForByteThroughAPassThrough) {
    for (const CLSID& kind : {CLSID_BenchPassThrough, CLSID_BenchInPlacePassThrough}) {
        ComPtr<IBaseFilter> camera = Camera();
        ComPtr<IBaseFilter> pass = CreateFilter(kind);
        ASSERT_TRUE(camera && pass);
        GrabberGraph graph(MEDIATYPE_Video);
        ASSERT_EQ(S_OK, graph.Add(camera.Get(), L"Video Capture"));
        ASSERT_EQ(S_OK, graph.Add(pass.Get(), L"Pass"));
        ASSERT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), FindPin(pass.Get(), L"XForm In").Get()));
        ASSERT_EQ(S_OK, graph.Connect(FindPin(pass.Get(), L"XForm Out").Get(), graph.GrabberInput()));
        ASSERT_TRUE(graph.RunFor(4, 10000));
        const std::vector<GrabbedSample> samples = graph.log.Samples();
        ExpectFramesMatchScene(samples, kWidth, kHeight);
        // The default scene moves: later frames differ from the first.
        EXPECT_GT(samples.back().mediaTime, samples.front().mediaTime);
        EXPECT_NE(samples.front().bytes, samples.back().bytes);
    }
}

TEST_F(CameraTest, FramesReachTheGrabberByteForByteDirectly) {
    ComPtr<IBaseFilter> camera = Camera();
    GrabberGraph graph(MEDIATYPE_Video);
    ASSERT_EQ(S_OK, graph.Add(camera.Get(), L"Video Capture"));
    ASSERT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput()));
    ASSERT_TRUE(graph.RunFor(3, 10000));
    ExpectFramesMatchScene(graph.log.Samples(), kWidth, kHeight);
}

TEST_F(CameraTest, ScriptedScenesAreExact) {
    const BenchSceneStep script[] = {{BENCH_SCENE_STILL, 2}, {BENCH_SCENE_WHITE, 1}, {BENCH_SCENE_BLACK, 1}};
    ASSERT_EQ(S_OK, bench->SetSceneScript(script, 3));
    EXPECT_EQ(E_INVALIDARG, bench->SetScenePattern(9));

    ComPtr<IBaseFilter> camera = Camera();
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(camera.Get(), L"Video Capture");
    ASSERT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput()));
    ASSERT_TRUE(graph.RunFor(5, 10000));
    const std::vector<GrabbedSample> samples = graph.log.Samples();
    ExpectFramesMatchScene(samples, kWidth, kHeight);
    for (const GrabbedSample& sample : samples) {
        if (sample.mediaTime >= 3) {
            // Black from frame 3 on, worked out without the scene code.
            EXPECT_EQ(std::vector<BYTE>(sample.bytes.size(), 0), sample.bytes);
        } else if (sample.mediaTime == 2) {
            EXPECT_EQ(std::vector<BYTE>(sample.bytes.size(), 255), sample.bytes);
        }
    }
}

TEST_F(CameraTest, CaptureGraphBuilderFindsThePinsByCategory) {
    ComPtr<IBaseFilter> camera = Camera();
    GrabberGraph graph(MEDIATYPE_Video);
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(builder.GetAddressOf())));
    ASSERT_EQ(S_OK, builder->SetFiltergraph(graph.graph.Get()));
    graph.Add(camera.Get(), L"Video Capture");

    // What the engine asks for before building any graph.
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, camera.Get(), IID_IAMStreamConfig,
                                           reinterpret_cast<void**>(config.GetAddressOf())));
    ComPtr<IAMStreamConfig> direct;
    FindPin(camera.Get(), L"Capture")
        ->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(direct.GetAddressOf()));
    EXPECT_EQ(direct.Get(), config.Get());
    ComPtr<IAMStreamControl> streamControl;
    EXPECT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, camera.Get(), IID_IAMStreamControl,
                                           reinterpret_cast<void**>(streamControl.GetAddressOf())));

    // The capture stream into the grabber through the builder (Wine puts a
    // Smart Tee in between), and the frames still match the scene.
    ASSERT_TRUE(SUCCEEDED(
        builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, camera.Get(), nullptr, graph.grabber.Get())));
    ASSERT_TRUE(graph.RunFor(2, 10000));
    ExpectFramesMatchScene(graph.log.Samples(), kWidth, kHeight);
}

TEST_F(CameraTest, FiftyRunStopCyclesNeitherHangNorLeak) {
    LONG baseline = 0;
    ASSERT_EQ(S_OK, bench->GetLiveObjectCount(&baseline));
    {
        ComPtr<IBaseFilter> camera = Camera();
        ComPtr<IBaseFilter> pass = CreateFilter(CLSID_BenchPassThrough);
        GrabberGraph graph(MEDIATYPE_Video);
        graph.Add(camera.Get(), L"Video Capture");
        graph.Add(pass.Get(), L"Pass");
        ASSERT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), FindPin(pass.Get(), L"XForm In").Get()));
        ASSERT_EQ(S_OK, graph.Connect(FindPin(pass.Get(), L"XForm Out").Get(), graph.GrabberInput()));
        for (int cycle = 0; cycle < 50; ++cycle) {
            graph.log.Clear();
            ASSERT_TRUE(graph.RunFor(1, 10000)) << "cycle " << cycle;
        }
        LONGLONG delivered = 0;
        bench->GetDeliveredFrames(&delivered);
        EXPECT_GE(delivered, 50);
    }
    LONG after = -1;
    ASSERT_EQ(S_OK, bench->GetLiveObjectCount(&after));
    EXPECT_EQ(baseline, after);
}

TEST_F(CameraTest, StreamConfigListsFormatsAndSwitchesSize) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<IAMStreamConfig> config;
    ASSERT_TRUE(SUCCEEDED(FindPin(camera.Get(), L"Capture")
                              ->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(config.GetAddressOf()))));
    int count = 0;
    int size = 0;
    ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(9, count);
    EXPECT_EQ(128, size);

    const struct {
        GUID subtype;
        GUID format;
        LONG width;
        LONG height;
    } expected[] = {
        {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 320, 240},  {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 176, 144},
        {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 640, 480},  {MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, 640, 480},
        {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 800, 600},  {MEDIASUBTYPE_Y411, FORMAT_VideoInfo, 320, 240},
        {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 1280, 720}, {GUID_NULL, FORMAT_VideoInfo, 320, 240},
        {MEDIASUBTYPE_RGB24, FORMAT_VideoInfo2, 640, 480},
    };
    std::vector<AM_MEDIA_TYPE*> types;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps{};
        ASSERT_EQ(S_OK, config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps))) << i;
        types.push_back(type);
        EXPECT_EQ(expected[i].format, type->formattype) << i;
        EXPECT_EQ(expected[i].format, caps.guid) << i;
        if (expected[i].subtype != GUID_NULL) {
            EXPECT_EQ(expected[i].subtype, type->subtype) << i;
        }
        EXPECT_EQ(expected[i].width, caps.MaxOutputSize.cx) << i;
        EXPECT_EQ(expected[i].height, caps.MaxOutputSize.cy) << i;
        if (const VIDEOINFOHEADER* info = dshowbase::VideoInfo(*type)) {
            EXPECT_EQ(expected[i].width, info->bmiHeader.biWidth) << i;
        }
    }
    AM_MEDIA_TYPE* none = nullptr;
    BYTE caps[128];
    EXPECT_EQ(S_FALSE, config->GetStreamCaps(count, &none, caps));

    // Only RGB24 VideoInfo formats can be chosen; the choice reads back.
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, config->SetFormat(types[3]));
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, config->SetFormat(types[8]));
    ASSERT_EQ(S_OK, config->SetFormat(types[1]));
    AM_MEDIA_TYPE* current = nullptr;
    ASSERT_EQ(S_OK, config->GetFormat(&current));
    EXPECT_EQ(176, dshowbase::VideoInfo(*current)->bmiHeader.biWidth);
    EXPECT_EQ(144, dshowbase::VideoInfo(*current)->bmiHeader.biHeight);
    dshowbase::DeleteMediaType(current);
    for (AM_MEDIA_TYPE* type : types) {
        dshowbase::DeleteMediaType(type);
    }

    // And frames come at that size.
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(camera.Get(), L"Video Capture");
    ASSERT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput()));
    ASSERT_TRUE(graph.RunFor(2, 10000));
    ExpectFramesMatchScene(graph.log.Samples(), 176, 144);

    ASSERT_EQ(S_OK, bench->SetFormatList(BENCH_FORMATS_SIXTY));
    ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(60, count);
}

TEST_F(CameraTest, ControlsHaveRangesAndRememberValues) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<IAMVideoProcAmp> procAmp;
    ASSERT_TRUE(
        SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(procAmp.GetAddressOf()))));
    long minimum = 0, maximum = 0, step = 0, defaultValue = 0, caps = 0;
    ASSERT_EQ(S_OK, procAmp->GetRange(VideoProcAmp_Brightness, &minimum, &maximum, &step, &defaultValue, &caps));
    EXPECT_EQ(0, minimum);
    EXPECT_EQ(255, maximum);
    EXPECT_EQ(128, defaultValue);
    EXPECT_EQ(VideoProcAmp_Flags_Manual, caps);
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, procAmp->GetRange(10, &minimum, &maximum, &step, &defaultValue, &caps));

    ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Brightness, 200, VideoProcAmp_Flags_Manual));
    EXPECT_EQ(E_INVALIDARG, procAmp->Set(VideoProcAmp_Brightness, 256, VideoProcAmp_Flags_Manual));
    EXPECT_EQ(E_INVALIDARG, procAmp->Set(VideoProcAmp_WhiteBalance, 4605, VideoProcAmp_Flags_Manual));
    EXPECT_EQ(E_INVALIDARG, procAmp->Set(VideoProcAmp_Brightness, 10, VideoProcAmp_Flags_Auto));

    // The values belong to the device: another filter object reads them.
    ComPtr<IBaseFilter> again = Camera();
    ComPtr<IAMVideoProcAmp> procAmp2;
    ASSERT_TRUE(
        SUCCEEDED(again->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(procAmp2.GetAddressOf()))));
    long value = 0;
    long flags = 0;
    ASSERT_EQ(S_OK, procAmp2->Get(VideoProcAmp_Brightness, &value, &flags));
    EXPECT_EQ(200, value);
    EXPECT_EQ(VideoProcAmp_Flags_Manual, flags);

    ComPtr<IAMCameraControl> cameraControl;
    ASSERT_TRUE(SUCCEEDED(
        camera->QueryInterface(IID_IAMCameraControl, reinterpret_cast<void**>(cameraControl.GetAddressOf()))));
    ASSERT_EQ(S_OK, cameraControl->GetRange(CameraControl_Zoom, &minimum, &maximum, &step, &defaultValue, &caps));
    EXPECT_EQ(100, minimum);
    EXPECT_EQ(400, maximum);
    EXPECT_EQ(10, step);
    ASSERT_EQ(S_OK, cameraControl->Set(CameraControl_Exposure, -4, CameraControl_Flags_Manual));
    ASSERT_EQ(S_OK, cameraControl->Get(CameraControl_Exposure, &value, &flags));
    EXPECT_EQ(-4, value);

    // Taking controls away, one property or a whole interface.
    ASSERT_EQ(S_OK, bench->SetMissingControls(BENCH_MISSING_GAMMA | BENCH_MISSING_EXPOSURE));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, procAmp->Get(VideoProcAmp_Gamma, &value, &flags));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED,
              cameraControl->GetRange(CameraControl_Exposure, &minimum, &maximum, &step, &defaultValue, &caps));
    EXPECT_EQ(S_OK, procAmp->Get(VideoProcAmp_Contrast, &value, &flags));
    ASSERT_EQ(S_OK, bench->SetMissingControls(BENCH_MISSING_VIDEOPROCAMP | BENCH_MISSING_CAMERACONTROL));
    IUnknown* refused = nullptr;
    EXPECT_EQ(E_NOINTERFACE, again->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&refused)));
    EXPECT_EQ(E_NOINTERFACE, again->QueryInterface(IID_IAMCameraControl, reinterpret_cast<void**>(&refused)));
    EXPECT_EQ(E_INVALIDARG, bench->SetMissingControls(0x100));
}

TEST_F(CameraTest, StillPinComesFirstAndPinsNameTheirCategory) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<IPin> first = FirstPin(camera.Get(), PINDIR_OUTPUT);
    PIN_INFO info{};
    first->QueryPinInfo(&info);
    info.pFilter->Release();
    EXPECT_STREQ(L"Still", info.achName);

    for (const auto& pinAndCategory :
         {std::make_pair(L"Still", PIN_CATEGORY_STILL), std::make_pair(L"Capture", PIN_CATEGORY_CAPTURE)}) {
        ComPtr<IKsPropertySet> properties;
        ASSERT_TRUE(
            SUCCEEDED(FindPin(camera.Get(), pinAndCategory.first)
                          ->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(properties.GetAddressOf()))));
        GUID category{};
        DWORD returned = 0;
        ASSERT_EQ(S_OK, properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                                        sizeof(category), &returned));
        EXPECT_EQ(pinAndCategory.second, category);
        EXPECT_EQ(sizeof(GUID), returned);
    }

    IUnknown* decoder = nullptr;
    EXPECT_EQ(E_NOINTERFACE, camera->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder)));
    ComPtr<IBaseFilter> analog = BindDevice(CLSID_VideoInputDeviceCategory, BENCH_ANALOG_CAMERA_NAME);
    ASSERT_TRUE(analog);
    ComPtr<IAMAnalogVideoDecoder> analogDecoder;
    ASSERT_TRUE(SUCCEEDED(
        analog->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(analogDecoder.GetAddressOf()))));
    ComPtr<IAMFilterMiscFlags> flags;
    ASSERT_TRUE(
        SUCCEEDED(camera->QueryInterface(IID_IAMFilterMiscFlags, reinterpret_cast<void**>(flags.GetAddressOf()))));
    EXPECT_EQ(static_cast<ULONG>(AM_FILTER_MISC_FLAGS_IS_SOURCE), flags->GetMiscFlags());
}

TEST_F(CameraTest, BusyCameraRefusesToConnect) {
    ASSERT_EQ(S_OK, bench->SetCameraBusy(TRUE));
    ComPtr<IBaseFilter> camera = Camera();
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(camera.Get(), L"Video Capture");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BUSY),
              graph.Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput()));
    EXPECT_TRUE(FAILED(graph.graph->Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput())));
    ASSERT_EQ(S_OK, bench->SetCameraBusy(FALSE));
    EXPECT_EQ(S_OK, graph.Connect(FindPin(camera.Get(), L"Capture").Get(), graph.GrabberInput()));

    // The environment can start a process with a busy camera.
    SetEnvironmentVariableW(L"VIMBREL_BENCH_BUSY", L"1");
    bench->Reset();
    SetEnvironmentVariableW(L"VIMBREL_BENCH_BUSY", nullptr);
    ComPtr<IBaseFilter> second = Camera();
    GrabberGraph other(MEDIATYPE_Video);
    other.Add(second.Get(), L"Video Capture");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BUSY),
              other.Connect(FindPin(second.Get(), L"Capture").Get(), other.GrabberInput()));
}

TEST_F(CameraTest, StreamControlHoldsFramesBackUntilStarted) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<IPin> capture = FindPin(camera.Get(), L"Capture");
    ComPtr<IAMStreamControl> streamControl;
    ASSERT_TRUE(SUCCEEDED(
        capture->QueryInterface(IID_IAMStreamControl, reinterpret_cast<void**>(streamControl.GetAddressOf()))));
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(camera.Get(), L"Video Capture");
    ASSERT_EQ(S_OK, graph.Connect(capture.Get(), graph.GrabberInput()));
    ASSERT_EQ(S_OK, graph.Connect(FirstPin(graph.grabber.Get(), PINDIR_OUTPUT).Get(),
                                  FirstPin(graph.renderer.Get(), PINDIR_INPUT).Get()));

    ASSERT_EQ(S_OK, streamControl->StopAt(nullptr, FALSE, 7));  // stop at once
    ASSERT_TRUE(SUCCEEDED(graph.control->Run()));
    LONG_PTR p1 = 0;
    LONG_PTR p2 = 0;
    ASSERT_TRUE(graph.WaitForEvent(EC_STREAM_CONTROL_STOPPED, &p1, &p2, 5000));
    EXPECT_EQ(7, p2);
    Sleep(150);
    EXPECT_TRUE(graph.log.Samples().empty());
    AM_STREAM_INFO info{};
    ASSERT_EQ(S_OK, streamControl->GetInfo(&info));
    EXPECT_TRUE(info.dwFlags & AM_STREAM_INFO_DISCARDING);

    ASSERT_EQ(S_OK, streamControl->StartAt(nullptr, 9));  // and again
    ASSERT_TRUE(graph.WaitForEvent(EC_STREAM_CONTROL_STARTED, &p1, &p2, 5000));
    EXPECT_EQ(9, p2);
    EXPECT_TRUE(graph.log.WaitFor(1, 5000));
    graph.control->Stop();
}

TEST_F(CameraTest, TimedStartDeliversNothingEarlier) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<IPin> capture = FindPin(camera.Get(), L"Capture");
    ComPtr<IAMStreamControl> streamControl;
    ASSERT_TRUE(SUCCEEDED(
        capture->QueryInterface(IID_IAMStreamControl, reinterpret_cast<void**>(streamControl.GetAddressOf()))));
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(camera.Get(), L"Video Capture");
    ASSERT_EQ(S_OK, graph.Connect(capture.Get(), graph.GrabberInput()));
    ASSERT_EQ(S_OK, graph.Connect(FirstPin(graph.grabber.Get(), PINDIR_OUTPUT).Get(),
                                  FirstPin(graph.renderer.Get(), PINDIR_INPUT).Get()));

    // What the engine does before a recording: start writing 0.3 s in.
    const REFERENCE_TIME start = 3000000;
    ASSERT_EQ(S_OK, streamControl->StartAt(&start, 5));
    AM_STREAM_INFO info{};
    ASSERT_EQ(S_OK, streamControl->GetInfo(&info));
    EXPECT_EQ(start, info.tStart);
    EXPECT_TRUE(info.dwFlags & AM_STREAM_INFO_START_DEFINED);
    ASSERT_TRUE(SUCCEEDED(graph.control->Run()));
    LONG_PTR p1 = 0;
    LONG_PTR p2 = 0;
    ASSERT_TRUE(graph.WaitForEvent(EC_STREAM_CONTROL_STARTED, &p1, &p2, 5000));
    EXPECT_EQ(5, p2);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(capture.Get()), p1);
    ASSERT_TRUE(graph.log.WaitFor(2, 5000));
    graph.control->Stop();
    for (const GrabbedSample& sample : graph.log.Samples()) {
        EXPECT_GE(sample.seconds, 0.3);
    }
    // Frames before the start were produced and held back, not skipped in
    // the scene: the first delivered frame is not frame 0.
    EXPECT_GT(graph.log.Samples().front().mediaTime, 0);
}

TEST_F(CameraTest, PropertyPageShowsAndAppliesBrightness) {
    ComPtr<IBaseFilter> camera = Camera();
    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_TRUE(
        SUCCEEDED(camera->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.GetAddressOf()))));
    CAUUID pages{};
    ASSERT_EQ(S_OK, specify->GetPages(&pages));
    ASSERT_EQ(1u, pages.cElems);
    EXPECT_EQ(CLSID_BenchCameraPage, pages.pElems[0]);
    CoTaskMemFree(pages.pElems);

    ComPtr<IPropertyPage> page;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchCameraPage, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                     reinterpret_cast<void**>(page.GetAddressOf())));
    PROPPAGEINFO info{};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Bench Camera", info.pszTitle);
    CoTaskMemFree(info.pszTitle);

    ComPtr<IUnknown> object;
    camera.As(&object);
    basetest::CRecordingSite site;
    ASSERT_EQ(S_OK, page->SetPageSite(&site));
    ASSERT_EQ(S_OK, page->SetObjects(1, object.GetAddressOf()));
    HWND parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    RECT rect{0, 0, 250, 100};
    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    HWND dialog = GetWindow(parent, GW_CHILD);
    ASSERT_NE(nullptr, dialog);
    BOOL parsed = FALSE;
    EXPECT_EQ(128u, GetDlgItemInt(dialog, 310, &parsed, TRUE));  // the default brightness
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    SetDlgItemInt(dialog, 310, 90, TRUE);  // the user types 90
    EXPECT_EQ(S_OK, page->IsPageDirty());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site.lastStatus);
    ASSERT_EQ(S_OK, page->Apply());
    ComPtr<IAMVideoProcAmp> procAmp;
    ASSERT_TRUE(
        SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(procAmp.GetAddressOf()))));
    long value = 0;
    long flags = 0;
    ASSERT_EQ(S_OK, procAmp->Get(VideoProcAmp_Brightness, &value, &flags));
    EXPECT_EQ(90, value);
    // A value out of range is refused and the page stays dirty.
    SetDlgItemInt(dialog, 310, 300, TRUE);
    EXPECT_EQ(E_INVALIDARG, page->Apply());
    EXPECT_EQ(S_OK, page->IsPageDirty());
    page->Deactivate();
    page->SetObjects(0, nullptr);
    DestroyWindow(parent);
}

}  // namespace
}  // namespace benchtest
