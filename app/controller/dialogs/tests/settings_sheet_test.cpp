// The advanced settings sheet made modeless and driven with messages, over
// the scripted engine: device lists, the mirror box and its timer, the
// video page's rows, trackbars and buttons, and the sheet's own buttons.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "CAdvancedSettingSheet.h"
#include "DialogIds.h"
#include "DialogTestSupport.h"
#include "EngineTestDoubles.h"
#include "MessagePump.h"

namespace vimbrel::controller::test {
namespace {

bool HasCallStartingWith(const std::vector<std::string>& log, const std::string& start) {
    for (const std::string& line : log) {
        if (line.rfind(start, 0) == 0) return true;
    }
    return false;
}

int CountOf(const std::vector<std::string>& log, const std::string& line) {
    int n = 0;
    for (const std::string& each : log) n += each == line;
    return n;
}

class SettingsSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        texts.texts = {{u"IDS_STG_DEVICE", u"Devices"},
                       {u"IDS_STG_VIDEO", u"Picture"},
                       {u"IDS_TIP_CLOSE", u"Close this sheet now"},
                       {u"IDS_MSG_NOAUDIODEV", u"No microphone found"},
                       {u"IDS_MSG_NOVIDEODEV", u"No camera found"},
                       {u"IDS_STG_MIRROR_MODE", u"Mirror the picture"}};
        rig.AttachFake();
    }
    void Script(const char* script) {
        ASSERT_TRUE(fakeengine::Engine().Script(script));
        for (int property : {0, 1, 2, 3, 4, 5, 8}) fakeengine::Engine().qualities[property] = 20 + property;
    }
    void StoreVideoDevice(const std::u16string& name) {
        std::copy(name.begin(), name.end(), rig.settings.Block().videoDev);
        rig.settings.Block().videoDev[name.size()] = 0;
    }
    void Open() {
        sheet = std::make_unique<CAdvancedSettingSheet>(L"Advanced Settings", port, texts);
        ASSERT_TRUE(sheet->CreateModeless());
        ShowWindow(sheet->Handle(), SW_SHOW);
        testbench::PumpFor(100);
    }
    void TearDown() override {
        if (sheet && sheet->Handle()) DestroyWindow(sheet->Handle());
        testbench::PumpFor(50);
        sheet.reset();
    }
    HWND DevicePage() { return sheet->DevicePage().Handle(); }
    HWND VideoPage() { return sheet->VideoPage().Handle(); }
    void ShowVideoPage() {
        SendMessageW(sheet->Handle(), PSM_SETCURSEL, 1, 0);
        testbench::PumpFor(50);
        ASSERT_NE(VideoPage(), nullptr);
    }
    std::vector<std::string> Log() const { return fakeengine::Engine().Log(); }

    ControllerRig rig;
    CTableTexts texts;
    std::atomic<int> turned{0};
    CControllerSheetPort port{rig.engine, rig.settings, rig.devices, [this] { return turned.load(); }};
    std::unique_ptr<CAdvancedSettingSheet> sheet;
};

TEST_F(SettingsSheetTest, DeviceListsShowTheEngineDevicesWithTheStoredOneChosen) {
    Script("video_devices=Cam A|Cam B;audio_devices=;formats=640x480;ranges=0:0:255:128");
    StoreVideoDevice(u"Cam B");
    rig.engine.KeepMirrorMode(1);
    Open();
    HWND page = DevicePage();
    HWND video = GetDlgItem(page, IDC_VIDEO_DEVICE_LIST);
    EXPECT_EQ(SendMessageW(video, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(video, CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(video));
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_MIRROR_MODE), BST_CHECKED);
    EXPECT_EQ(ItemText(page, IDC_MIRROR_MODE), L"Mirror the picture");
    HWND audio = GetDlgItem(page, IDC_AUDIO_DEVICE_LIST);
    EXPECT_EQ(SendMessageW(audio, CB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(IsWindowEnabled(audio));
    EXPECT_EQ(ItemText(page, IDC_AUDIO_DEVICE_LIST), L"No microphone found");
    // The sheet's own buttons: OK hidden, Cancel named Close.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet->Handle(), IDOK)));
    EXPECT_EQ(ItemText(sheet->Handle(), IDCANCEL), L"Close this sheet now");
}

TEST_F(SettingsSheetTest, WithoutACameraTheMirrorBoxIsGreyAndLeftAlone) {
    Script("video_devices=;audio_devices=Mic;formats=640x480");
    Open();
    HWND page = DevicePage();
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_VIDEO_DEVICE_LIST)));
    EXPECT_EQ(ItemText(page, IDC_VIDEO_DEVICE_LIST), L"No camera found");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_MIRROR_MODE)));
    fakeengine::Engine().ClearLog();
    testbench::PumpFor(500);
    EXPECT_FALSE(HasCallStartingWith(Log(), "SetMirrorMode"));
}

TEST_F(SettingsSheetTest, ATurnedCameraGreysTheBoxAndSwitchesMirroringOff) {
    Script("video_devices=Cam A;audio_devices=Mic;formats=640x480");
    rig.engine.KeepMirrorMode(1);
    Open();
    HWND box = GetDlgItem(DevicePage(), IDC_MIRROR_MODE);
    fakeengine::Engine().ClearLog();
    turned = 1;
    testbench::PumpFor(450);
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_EQ(CountOf(Log(), "SetMirrorMode(0)"), 1);  // once, not on every tick
    EXPECT_EQ(rig.engine.GetMirrorMode(), 0);
    turned = 0;
    testbench::PumpFor(450);
    EXPECT_TRUE(IsWindowEnabled(box));
    EXPECT_EQ(CountOf(Log(), "SetMirrorMode(1)"), 1);
    // A click on the box goes to the engine at once.
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 0);
    EXPECT_EQ(CountOf(Log(), "SetMirrorMode(0)"), 2);
}

TEST_F(SettingsSheetTest, TheVideoPageShowsEachPropertyAndDisablesMissingOnes) {
    Script("video_devices=Cam A;audio_devices=Mic;formats=640x480;"
           "ranges=0:0:255:128|1:0:100:50|2:-180:180:0|3:0:100:50|4:0:15:7|5:1:500:100|7:2800:6500:4600|8:0:2:1");
    Open();
    ShowVideoPage();
    HWND page = VideoPage();
    HWND hue = GetDlgItem(page, IDC_HUE_BAR);
    EXPECT_EQ(SendMessageW(hue, TBM_GETRANGEMIN, 0, 0), -180);
    EXPECT_EQ(SendMessageW(hue, TBM_GETRANGEMAX, 0, 0), 180);
    EXPECT_EQ(SendMessageW(hue, TBM_GETPOS, 0, 0), 22);
    EXPECT_EQ(ItemText(page, IDC_HUE_VALUE), L"22");
    // No white balance value: the row is off and reads 0.
    HWND balance = GetDlgItem(page, IDC_WHITEBALANCE_BAR);
    EXPECT_FALSE(IsWindowEnabled(balance));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_WHITEBALANCE_LABEL)));
    EXPECT_EQ(SendMessageW(balance, TBM_GETRANGEMAX, 0, 0), 0);
    EXPECT_EQ(ItemText(page, IDC_WHITEBALANCE_VALUE), L"0");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_VIDEO_DEFAULT)));

    // The Advanced button ends 40 pixels before the sheet's right edge.
    RECT sheetRect{}, advanced{};
    GetWindowRect(sheet->Handle(), &sheetRect);
    GetWindowRect(GetDlgItem(page, IDC_VIDEO_ADVANCED), &advanced);
    RECT pageRect{};
    GetWindowRect(page, &pageRect);
    EXPECT_EQ(advanced.right - pageRect.left, (sheetRect.right - sheetRect.left) - 40);
}

TEST_F(SettingsSheetTest, TrackbarMovesAndButtonsReachTheEngine) {
    Script("video_devices=Cam A;audio_devices=Mic;formats=640x480;ranges=0:0:255:128|1:0:100:50");
    Open();
    ShowVideoPage();
    HWND page = VideoPage();
    HWND brightness = GetDlgItem(page, IDC_BRIGHTNESS_BAR);
    fakeengine::Engine().ClearLog();
    SendMessageW(brightness, TBM_SETPOS, TRUE, 77);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 77), reinterpret_cast<LPARAM>(brightness));
    EXPECT_EQ(ItemText(page, IDC_BRIGHTNESS_VALUE), L"77");
    EXPECT_EQ(CountOf(Log(), "SetVideoQuality(0,77)"), 1);

    fakeengine::Engine().ClearLog();
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_VIDEO_DEFAULT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_VIDEO_DEFAULT)));
    for (int property : {0, 1, 2, 3, 4, 5, 7, 8})
        EXPECT_EQ(CountOf(Log(), "SetDefaultVideoQuality(" + std::to_string(property) + ")"), 1);
    EXPECT_TRUE(HasCallStartingWith(Log(), "GetVideoQuality("));  // refreshed

    fakeengine::Engine().ClearLog();
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_VIDEO_ADVANCED, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_VIDEO_ADVANCED)));
    EXPECT_TRUE(HasCallStartingWith(Log(), "DisplayCameraAdvancedSetting("));
    EXPECT_TRUE(HasCallStartingWith(Log(), "GetVideoQuality("));
}

TEST_F(SettingsSheetTest, AnotherCameraRefreshesTheVideoPageAndDefaultComesBack) {
    Script("video_devices=Cam A|Cam B;audio_devices=Mic;formats=640x480;ranges=0:0:255:128");
    StoreVideoDevice(u"Cam A");
    Open();
    // Before the video page exists the refresh request is harmless.
    SendMessageW(sheet->Handle(), kRefreshVideoPageMessage, 0, 0);
    ShowVideoPage();
    fakeengine::Engine().qualities.clear();
    SendMessageW(sheet->Handle(), kRefreshVideoPageMessage, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(VideoPage(), IDC_VIDEO_DEFAULT)));

    // The new camera answers with its own range.
    fakeengine::Engine().ranges[0] = {10, 90, 50};
    fakeengine::Engine().qualities[0] = 60;
    SendMessageW(sheet->Handle(), PSM_SETCURSEL, 0, 0);
    testbench::PumpFor(50);
    HWND list = GetDlgItem(DevicePage(), IDC_VIDEO_DEVICE_LIST);
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    SendMessageW(DevicePage(), WM_COMMAND, MAKEWPARAM(IDC_VIDEO_DEVICE_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(HasCallStartingWith(Log(), "SelectVideoDevice(1,"));
    HWND brightness = GetDlgItem(VideoPage(), IDC_BRIGHTNESS_BAR);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETRANGEMAX, 0, 0), 90);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETPOS, 0, 0), 60);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(VideoPage(), IDC_VIDEO_DEFAULT)));
    EXPECT_EQ(std::u16string(rig.settings.Block().videoDev), u"Cam B");
}

}  // namespace
}  // namespace vimbrel::controller::test
