// The real camera.dll beside this program, started on the bench camera and
// microphone through the binding: every slot is found, and the names,
// argument types and calling convention agree with the engine's, shown by
// the answers it gives to what the controller passes.
#include <windows.h>

#include <gtest/gtest.h>

#include "BenchDevices.h"
#include "CDialogDismisser.h"
#include "EngineLibraryHelpers.h"
#include "EngineTestDoubles.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

class CPreviewWindow {
public:
    CPreviewWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"preview", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~CPreviewWindow() {
        if (window_) DestroyWindow(window_);
    }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

class RealEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        HRESULT created = CoCreateInstance(CLSID_BenchDeviceControl, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IBenchDeviceControl, reinterpret_cast<void**>(&bench_));
        ASSERT_TRUE(SUCCEEDED(created)) << "the bench devices are not registered in this prefix";
        bench_->Reset();
        ASSERT_EQ(BindEngine(rig.engine, TestProgramFolder(), [this] { return rig.settings.LoadSettings(); }), 1);
    }
    void TearDown() override {
        if (rig.engine.IsLoaded() && rig.engine.Api().Uninitialize) rig.engine.Api().Uninitialize();
        FreeEngine(rig.engine);
        if (bench_) {
            bench_->Reset();
            bench_->Release();
        }
        CoUninitialize();
    }
    std::vector<int> Widths(const CResolutionList& list) {
        std::vector<int> widths;
        for (int i = 0; i < list.Count(); ++i) widths.push_back(list.At(i)->width);
        return widths;
    }

    testbench::CDialogDismisser dismisser_{IDOK};
    IBenchDeviceControl* bench_ = nullptr;
    CPreviewWindow preview_;
    ControllerRig rig;
};

TEST_F(RealEngineTest, EveryNameIsFoundInTheEngine) {
    EXPECT_EQ(ModulePath(EngineModule(rig.engine)), TestProgramFolder() + L"\\camera.dll");
    EXPECT_EQ(CountBoundSlots(rig.engine.Api()), 52);
}

TEST_F(RealEngineTest, StartsOnTheBenchCameraWithItsSizesSortedAndDefaultsPicked) {
    ASSERT_NE(preview_.Handle(), nullptr);
    ASSERT_EQ(rig.devices.StartEngine(preview_.Handle()), 1);
    const SettingsBlock& block = rig.settings.Block();
    EXPECT_EQ(std::u16string(block.videoDev), u"Vimbrel Bench Camera");
    EXPECT_EQ(rig.store.ReadString(u"VideoDev", 260), std::u16string(u"Vimbrel Bench Camera"));
    EXPECT_NE(block.audioDev[0], u'\0');
    EXPECT_GE(rig.engine.videoDeviceCount, 1);
    EXPECT_GE(rig.engine.audioDeviceCount, 1);

    // The camera lists RGB24 320x240, 176x144, 640x480, YUY2 640x480,
    // RGB24 800x600, Y411 320x240, RGB24 1280x720 and an unknown 320x240
    // (its VideoInfo2 entry is not a format of the engine).
    const CResolutionList& images = rig.engine.imageList;
    EXPECT_EQ(Widths(images), (std::vector<int>{176, 320, 640, 800, 1280}));
    ASSERT_EQ(images.Count(), 5);
    EXPECT_EQ(images.At(0)->formatIndex, 1);
    EXPECT_EQ(images.At(1)->formatIndex, 0);
    EXPECT_EQ(images.At(2)->formatIndex, 2);
    EXPECT_EQ(images.At(3)->formatIndex, 4);
    EXPECT_EQ(images.At(4)->formatIndex, 6);
    EXPECT_EQ(images.At(4)->height, 720);
    EXPECT_EQ(Widths(rig.engine.videoList), (std::vector<int>{176, 320, 640}));
    EXPECT_EQ(block.imageResolutionIndex, 2);
    EXPECT_EQ(block.videoResolutionIndex, 1);
    EXPECT_EQ(rig.Entries(0x103),
              (std::vector<std::u16string>{u"176x144", u"320x240", u"640x480", u"800x600", u"1280x720"}));

    // int, float and double arguments and results through the engine's own
    // range checks.
    EXPECT_EQ(rig.engine.SetVideoFormat(4), 1);
    EXPECT_EQ(rig.engine.SetVideoFormat(99), 0);
    EXPECT_EQ(rig.engine.Api().Zoom(0.5f), 0);
    int count = -1;
    EXPECT_EQ(rig.engine.GetVideoDeviceName(&count, nullptr), 1);
    EXPECT_EQ(count, rig.engine.videoDeviceCount);
    char16_t name[260];
    int first = 0;
    ASSERT_EQ(rig.engine.GetVideoDeviceName(&first, name), 1);
    EXPECT_NE(name[0], u'\0');
    EXPECT_EQ(rig.engine.SetShootMode(3), 1);
    EXPECT_EQ(rig.settings.ApplySetting(kSettingJpgQuality, 0, 0), 1);
}

TEST_F(RealEngineTest, ACameraWithSixtySizesFillsTheListsToTwentyNine) {
    ASSERT_TRUE(SUCCEEDED(bench_->SetFormatList(BENCH_FORMATS_SIXTY)));
    ASSERT_EQ(rig.devices.StartEngine(preview_.Handle()), 1);
    // 16(i+1) x 12(i+1): the first 29 sizes fit, the 30th (480 x 360) is dropped.
    const CResolutionList& images = rig.engine.imageList;
    ASSERT_EQ(images.Count(), 29);
    EXPECT_EQ(images.At(0)->width, 16);
    EXPECT_EQ(images.At(28)->width, 464);
    EXPECT_EQ(images.At(28)->height, 348);
    EXPECT_FALSE(images.Has(480, 360));
    EXPECT_EQ(rig.engine.videoList.Count(), 29);
    // Nothing 640 wide made it into the list: no image size is picked.
    EXPECT_EQ(rig.settings.Block().imageResolutionIndex, -1);
    EXPECT_EQ(rig.settings.Block().videoResolutionIndex, 19);  // 320 x 240 is the 20th
}

}  // namespace
