// The controller driving the program's own skinned mode panels against the
// fake camera.dll: clicks on real panels reach the engine through the
// controller, and what the controller decides shows on the panels.
#include <gtest/gtest.h>

#include <memory>

#include "AnsiCodePage.h"
#include "CPanelControllerAdapter.h"
#include "CSkinPanel.h"
#include "CWindowControllerView.h"
#include "ControllerTestRig.h"
#include "EngineLibraryHelpers.h"
#include "GdiplusSession.h"
#include "PanelMessages.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;
using Lines = std::vector<std::string>;

namespace {

const wchar_t* const kPanelNames[kModeCount] = {L"Mode_Video", L"Mode_VideoOnly", L"Mode_Audio",
                                                L"Mode_Image", L"Mode_Browse",    L"Mode_Monitor"};

class ControllerPanelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        main_ = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 40, 40, 500, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        preview_ = CreateWindowExW(0, L"STATIC", L"preview", WS_CHILD | WS_VISIBLE, 0, 100, 50, 50, main_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(main_ && preview_);
        // The items the engine's size and bitrate lists fill.
        catalog_.AddItem(0x280103, 0, u"Resolution", kCatalogItem, 0, 0);
        catalog_.AddItem(0x030104, 1, u"Resolution", kCatalogItem, 0, 0);
        catalog_.AddItem(0x030107, 2, u"ASFQuality", kCatalogItem, 0, 0);
        catalog_.AddItem(0x040108, 3, u"WMAQuality", kCatalogItem, 0, 0);
        ASSERT_EQ(BindEngine(controller_.Engine(), TestProgramFolder() + L"\\fakeengine",
                             [this] { return controller_.Settings().LoadSettings(); }),
                  1);
        fake_ = std::make_unique<CFakeLibrary>(EngineModule(controller_.Engine()));
        ASSERT_TRUE(fake_->Usable());
        ASSERT_TRUE(fake_->Script("video_devices=Bench Cam;audio_devices=Bench Mic;"
                                  "formats=640x480|320x240"));
        controller_.InitLook(GetUserDefaultUILanguage());
        controller_.SetMainWindow(main_);
        ASSERT_EQ(controller_.StartEngine(preview_), 1);
        std::array<ControllerWindow, kModeCount> handles{};
        for (int mode = 0; mode < kModeCount; ++mode) {
            panels_[mode] = std::make_unique<vimbrel::ui::CSkinPanel>(adapter_);
            ASSERT_TRUE(panels_[mode]->Create(main_, 0, 0, kPanelNames[mode])) << mode;
            handles[static_cast<std::size_t>(mode)] = panels_[mode]->Handle();
        }
        ASSERT_EQ(controller_.SetModePanels(handles), 1);
        ASSERT_EQ(controller_.Start(), 1);
        fake_->ClearLog();
    }
    void TearDown() override {
        for (auto& panel : panels_)
            if (panel) panel->Destroy();
        DestroyWindow(main_);
        FreeEngine(controller_.Engine());
    }

    vimbrel::ui::CSkinPanel& Panel(int mode) { return *panels_[mode]; }
    int ButtonOf(int mode, std::uint32_t key) {
        for (size_t i = 0; i < Panel(mode).ButtonCount(); ++i)
            if (Panel(mode).ButtonKey(i) == key) return static_cast<int>(i);
        return -1;
    }
    // A press and release in the middle of the key's button.
    void Click(int mode, std::uint32_t key) {
        int button = ButtonOf(mode, key);
        ASSERT_GE(button, 0) << Rgb(key);
        RECT box = Panel(mode).ButtonBounds(static_cast<size_t>(button));
        LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageW(Panel(mode).Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(Panel(mode).Handle(), WM_LBUTTONUP, 0, at);
    }
    bool Enabled(int mode, std::uint32_t key) {
        return Panel(mode).Logic()->Enabled(static_cast<size_t>(ButtonOf(mode, key)));
    }
    // Whether the key shows its alternate (pause) face.
    bool Alternate(int mode, std::uint32_t key) {
        return Panel(mode).Logic()->ToggleState(static_cast<size_t>(ButtonOf(mode, key))) == 2;
    }

    vimbrel::ui::CGdiplusSession gdiplus_;
    HWND main_ = nullptr;
    HWND preview_ = nullptr;
    CMemorySettingsStore store_;
    CAnsiCodePage codePage_;
    CFeatureCatalog catalog_;
    CWindowControllerView view_;
    CRecordingPorts parts_;
    CCameraController controller_{ControllerPorts{view_, parts_, store_, codePage_, parts_, parts_, parts_, parts_,
                                                  parts_, catalog_, u"C:\\Vimbrel"}};
    CPanelControllerAdapter adapter_{controller_, [](std::uint32_t) { return std::wstring(L"tip"); },
                                     [](const char*) { return std::wstring(L"text"); }};
    std::unique_ptr<vimbrel::ui::CSkinPanel> panels_[kModeCount];
    std::unique_ptr<CFakeLibrary> fake_;
};

TEST_F(ControllerPanelsTest, StartShowsTheVideoPanelWithNothingToStop) {
    EXPECT_TRUE(IsWindowVisible(Panel(0).Handle()));
    for (int mode = 1; mode < kModeCount; ++mode) EXPECT_FALSE(IsWindowVisible(Panel(mode).Handle()));
    EXPECT_FALSE(Enabled(0, Key(Button::Stop)));
    EXPECT_TRUE(Enabled(0, Key(Button::CaptureVideo)));
    EXPECT_FALSE(Enabled(5, Key(Button::Stop)));
    EXPECT_FALSE(Enabled(4, Key(Button::StopPlaying)));
}

TEST_F(ControllerPanelsTest, RecordPauseResumeAndStopFromThePanel) {
    const std::uint32_t record = Key(Button::CaptureVideo);
    Click(0, record);
    EXPECT_EQ(controller_.GetCaptureState(), kCaptureVideo);
    EXPECT_TRUE(Alternate(0, record));
    EXPECT_TRUE(Enabled(0, Key(Button::Stop)));
    EXPECT_TRUE(Enabled(0, record));
    Click(0, record);
    EXPECT_FALSE(Alternate(0, record));
    Click(0, record);
    Click(0, Key(Button::Stop));
    EXPECT_EQ(controller_.GetCaptureState(), kCaptureIdle);
    EXPECT_FALSE(Alternate(0, record));
    EXPECT_FALSE(Enabled(0, Key(Button::Stop)));
    EXPECT_EQ(fake_->Log(), (Lines{"CaptureAV(\"C:\\M\\video0001.wmv\")", "Pause()", "Resume()", "CaptureAV(null)"}));
}

TEST_F(ControllerPanelsTest, ModeChangeShowsItsPanelAndTellsTheEngine) {
    ASSERT_EQ(controller_.SetMode(kModeMonitor), 1);
    EXPECT_TRUE(IsWindowVisible(Panel(5).Handle()));
    EXPECT_FALSE(IsWindowVisible(Panel(0).Handle()));
    Click(5, Key(Button::StartMonitor));
    EXPECT_EQ(controller_.GetCaptureState(), kCaptureMonitor);
    EXPECT_FALSE(Enabled(5, Key(Button::StartMonitor)));
    EXPECT_TRUE(Enabled(5, Key(Button::Stop)));
    fake_->ClearLog();
    ASSERT_EQ(controller_.SetMode(kModeImage), 1);
    EXPECT_EQ(fake_->Log(), (Lines{"StopMonitor()", "SetMode(3)", "SetVideoFormat(0,0)"}));
    EXPECT_TRUE(IsWindowVisible(Panel(3).Handle()));
    EXPECT_TRUE(Enabled(5, Key(Button::StartMonitor)));
}

TEST_F(ControllerPanelsTest, ZoomAndVolumeFromThePanel) {
    Click(0, Key(Button::ZoomIn));
    Click(0, Key(Button::ZoomRestore));
    EXPECT_EQ(fake_->Log(), (Lines{"Zoom(1.05)", "Zoom(1)"}));
    fake_->ClearLog();
    EXPECT_EQ(adapter_.GetAudioVolume(), 1.0);  // a first start keeps the full level
    fake_->ClearLog();
    adapter_.OnSliderChanged(Key(Button::MicrophoneVolume), 0.5);
    EXPECT_EQ(fake_->Log(), Lines{"SetAudioVolume(0.5)"});
    // A power suspend puts a running recording's panel back at rest.
    Click(0, Key(Button::CaptureVideo));
    controller_.OnPowerEvent();
    EXPECT_FALSE(Alternate(0, Key(Button::CaptureVideo)));
    EXPECT_FALSE(Enabled(0, Key(Button::Stop)));
}

TEST_F(ControllerPanelsTest, ADestroyedPanelIsRefused) {
    Panel(2).Destroy();
    EXPECT_EQ(controller_.EnablePanelButton(2, Key(Button::Stop), 1), 0);
    EXPECT_EQ(controller_.EnablePanelButton(0, Key(Button::Stop), 1), 1);
}

}  // namespace
