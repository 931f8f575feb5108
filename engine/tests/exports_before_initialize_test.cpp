// Before Initialize the engine has no devices and no graphs: every export
// that needs them refuses and leaves the caller's buffers alone.
#include "engine/include/CameraApi.h"
#include "CDialogDismisser.h"
#include "engine/tests/TestHostWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(BeforeInitialize, LifecycleModeAndDeviceExportsRefuse) {
    EXPECT_EQ(0, Uninitialize());
    EXPECT_EQ(0, SetMode(0));
    EXPECT_EQ(0, SetMode(4));

    int index = -1;
    char name[260] = "untouched";
    EXPECT_EQ(0, GetVideoDevice(&index, name));
    EXPECT_EQ(0, GetAudioDevice(&index, name));
    EXPECT_EQ(-1, index);
    EXPECT_STREQ("untouched", name);

    EXPECT_EQ(0, SelectVideoDevice(0, 0, 0));
    EXPECT_EQ(0, SelectAudioDevice(0));
    EXPECT_EQ(0, SelectAudioDeviceByName(L"Vimbrel Virtual Microphone"));
    // This one answers with an HRESULT: anything but 0 is a refusal.
    EXPECT_LT(SelectVideoDeviceByName(L"Vimbrel Virtual Camera"), 0);
}

TEST(BeforeInitialize, CaptureFormatAndControlExportsRefuse) {
    char path[] = "C:\\vimbrel-never-written.avi";
    EXPECT_EQ(0, CaptureAV(path));
    EXPECT_EQ(0, CaptureVideo(path));
    EXPECT_EQ(0, CaptureAudio(path));
    EXPECT_EQ(0, CaptureImage(path));
    EXPECT_EQ(0, Pause());
    EXPECT_EQ(0, Resume());
    float seconds = -1.0f;
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));

    int index = -1, width = 0, height = 0, value = 0;
    char subtype[16] = {};
    long low = 0, high = 0, fallback = 0, level = 0;
    EXPECT_EQ(0, GetVideoFormat(&index, subtype, &width, &height));
    EXPECT_EQ(0, SetVideoFormat(0, 0));
    EXPECT_EQ(0, SetVideoFormat(0, 1));
    EXPECT_EQ(0, GetVideoQualityRange(0, &low, &high, &fallback));
    EXPECT_EQ(0, GetVideoQuality(0, &level));
    EXPECT_EQ(0, SetVideoQuality(0, 10));
    EXPECT_EQ(0, SetDefaultVideoQuality(-1));
    EXPECT_EQ(0, GetCameraControlRange(0, &low, &high));
    EXPECT_EQ(0, GetCameraControl(0, &level));
    EXPECT_EQ(0, SetCameraControl(0, 1));
    index = -1;
    EXPECT_EQ(0, GetCurrentAudioBitrate(&index, &value));
    EXPECT_EQ(0, GetSupportedAudioBitrate(&index, &value));
    EXPECT_EQ(0, GetCurrentVideoBitrate(&index, &value));
    EXPECT_EQ(0, GetSupportedVideoBitrate(&index, &value));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(0, SetAudioBitrate(1));
    EXPECT_EQ(0, SetVideoBitrate(1));
    EXPECT_EQ(0, SetAudioFileFormat(1));
    EXPECT_EQ(0, SetVideoFileFormat(1));
    EXPECT_EQ(0, SetImageFileFormat(1));
    EXPECT_EQ(0, GetAudioFileFormat(&value));
    EXPECT_EQ(0, GetVideoFileFormat(&value));
    EXPECT_EQ(0, GetImageFileFormat(&value));
    EXPECT_EQ(0, SetJPGQuality(50));
    double volume = -1.0;
    EXPECT_EQ(0, GetAudioVolume(&volume));
    EXPECT_EQ(0, SetAudioVolume(0.5));
    EXPECT_EQ(-1.0, volume);
    EXPECT_EQ(0, DisplayCameraAdvancedSetting(nullptr));
}

TEST(BeforeInitialize, EffectMonitorAndPlaybackExportsWithoutTheirObjectsRefuse) {
    enginetest::CTestHostWindow host;
    EXPECT_EQ(0, SetEffect(3));
    EXPECT_EQ(0, SetFrame(nullptr));
    EXPECT_EQ(0, SetText(L"hello"));
    EXPECT_EQ(0, EnableText(1));
    EXPECT_EQ(0, Zoom(2.0f));
    EXPECT_EQ(0, SetMirrorMode(1));  // no effect filter yet
    EXPECT_EQ(0, SetGammaCorrect(1));
    EXPECT_EQ(0, SetFace(5));
    EXPECT_EQ(0, StartMonitor(host.Handle()));
    EXPECT_EQ(0, StopMonitor());
    EXPECT_EQ(0, SetSensitivity(5));

    float seconds = -1.0f;
    EXPECT_EQ(0, GetCurrentPlaybackTime(&seconds));
    EXPECT_EQ(0, PausePlayback());
    EXPECT_EQ(0, ResumePlayback());
    double volume = -1.0;
    EXPECT_EQ(0, GetPlaybackVolume(&volume));  // no renderer before Initialize
    EXPECT_EQ(0, SetPlaybackVolume(0.5));
    HDC dc = nullptr;
    int hasVideo = -1;
    EXPECT_EQ(0, PlayFile(nullptr, host.Handle(), &seconds, &dc, 10, 10, &hasVideo));
}

TEST(BeforeInitialize, PreviewWindowIsAcceptedAndTheStatusBoxSaysNothing) {
    enginetest::CTestHostWindow host;
    EXPECT_EQ(0, SetPreviewWnd(nullptr));
    EXPECT_EQ(1, SetPreviewWnd(host.Handle()));

    testbench::CDialogDismisser dismisser(IDOK);
    EXPECT_EQ(1, GetGraphStatus());
    ASSERT_EQ(1u, dismisser.WaitFor(1, 3000));
    EXPECT_EQ(L"vimbrel", dismisser.Dismissed()[0].caption);
    EXPECT_EQ(L"nothing", dismisser.Dismissed()[0].text);
}

}  // namespace
