// The device lists and device selection against the bench devices: two
// cameras and an analog capture card, a microphone and a TV tuner's sound.
#include "engine/tests/EngineTestSupport.h"

#include <cstring>

namespace enginetest {
namespace {

const std::wstring kCamera = BENCH_CAMERA_NAME;
const std::wstring kCamera2 = BENCH_CAMERA2_NAME;
const std::wstring kMicrophone = BENCH_MICROPHONE_NAME;

using Devices = EngineTest;

// Mode 2 (sound) builds no preview, so these tests need no effects filter.
TEST_F(Devices, ListsSkipAnalogCardsAndTunersAndNameTheRest) {
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(2, videoCount_);
    EXPECT_EQ(1, audioCount_);

    int index = -1;
    EXPECT_EQ(1, GetVideoDevice(&index, nullptr));
    EXPECT_EQ(2, index);
    char name[260];
    index = 0;
    ASSERT_EQ(1, GetVideoDevice(&index, name));
    EXPECT_STREQ("Vimbrel Bench Camera", name);
    index = 1;
    ASSERT_EQ(1, GetVideoDevice(&index, name));
    EXPECT_STREQ("Vimbrel Bench Camera 2", name);

    index = -1;
    EXPECT_EQ(1, GetAudioDevice(&index, nullptr));
    EXPECT_EQ(1, index);
    index = 0;
    ASSERT_EQ(1, GetAudioDevice(&index, name));
    EXPECT_STREQ("Vimbrel Bench Microphone", name);

    std::strcpy(name, "untouched");
    for (int bad : {2, -2, -100}) {
        index = bad;
        EXPECT_EQ(0, GetVideoDevice(&index, name)) << bad;
    }
    index = 1;
    EXPECT_EQ(0, GetAudioDevice(&index, name));
    index = 0;
    EXPECT_EQ(0, GetVideoDevice(&index, nullptr));
    EXPECT_STREQ("untouched", name);
    // No box: both kinds of device exist.
    EXPECT_EQ(0u, BoxesSaying(L"No Camera Device Found!!"));
    EXPECT_EQ(0u, BoxesSaying(L"No Audio Device Found!!"));
}

TEST_F(Devices, UnknownSavedNamesFallBackToTheFirstDevicesAndAreWrittenBack) {
    wcscpy(videoName_, L"A camera long gone");
    wcscpy(audioName_, L"A microphone long gone");
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(kCamera, videoName_);
    EXPECT_EQ(kMicrophone, audioName_);
    // The fallback gave the camera an index, so selecting it again is done.
    EXPECT_EQ(1, SelectVideoDevice(0, 0, 0));
    EXPECT_EQ(1, SelectAudioDevice(0));
}

TEST_F(Devices, SavedNamesThatMatchOpenTheDevicesAndStayAsTheyWere) {
    wcscpy(videoName_, kCamera2.c_str());
    wcscpy(audioName_, kMicrophone.c_str());
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(kCamera2, videoName_);
    EXPECT_EQ(kMicrophone, audioName_);
    // Opened by name, the camera has no index: a selection by index
    // proceeds instead of answering "already selected" for a wrong device.
    EXPECT_EQ(0, GetCameraControl(4, nullptr));
    EXPECT_EQ(1, SelectVideoDevice(0, 0, 0));
}

TEST_F(Devices, SelectionByNameAnswersInItsOwnWay) {
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(0, SelectVideoDeviceByName(kCamera2.c_str()));
    EXPECT_EQ(E_FAIL, SelectVideoDeviceByName(L"Vimbrel Bench"));  // exact names only
    EXPECT_EQ(E_FAIL, SelectVideoDeviceByName(BENCH_ANALOG_CAMERA_NAME));
    EXPECT_EQ(E_FAIL, SelectVideoDeviceByName(nullptr));

    EXPECT_EQ(1, SelectAudioDeviceByName(kMicrophone.c_str()));
    EXPECT_EQ(0, SelectAudioDeviceByName(BENCH_TUNER_AUDIO_NAME));
    EXPECT_EQ(0, SelectAudioDeviceByName(nullptr));
}

TEST_F(Devices, AMissingIndexFailsTheSelectionAndLeavesTheMicrophoneInPlace) {
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(0, SelectVideoDevice(2, 0, 0));
    EXPECT_EQ(0, SelectVideoDevice(-3, 0, 0));

    LONG changesBefore = 0;
    BOOL enabled = FALSE;
    double level = 0;
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changesBefore));
    EXPECT_EQ(0, SelectAudioDevice(1));
    EXPECT_EQ(1, SelectAudioDevice(0));  // still the selected one: nothing to do
    LONG changesAfter = 0;
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changesAfter));
    EXPECT_EQ(changesBefore, changesAfter);
}

TEST_F(Devices, TheMicrophoneLineIsEnabledAtTheEngineVolume) {
    ASSERT_EQ(S_OK, bench_->Reset());
    ASSERT_EQ(1, Start(2));
    BOOL enabled = FALSE;
    double level = -1;
    LONG changes = 0;
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changes));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(1.0, level);
    EXPECT_EQ(2, changes);  // one put_Enable, one put_MixLevel
    // The line input is left alone.
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_LINE_IN, &enabled, &level, &changes));
    EXPECT_EQ(0, changes);
}

TEST_F(Devices, DeviceSettersRefuseWhileNotIdleAndAfterUninitialize) {
    ASSERT_EQ(1, Start(2));
    // A sound recording keeps the engine busy: no device changes under it,
    // not even to the one already chosen.
    const char* const busyFile = "devices_busy.wav";
    ASSERT_EQ(1, CaptureAudio(busyFile));
    EXPECT_EQ(0, SelectVideoDevice(1, 0, 0));
    EXPECT_EQ(0, SelectAudioDevice(0));
    EXPECT_EQ(E_FAIL, SelectVideoDeviceByName(kCamera2.c_str()));
    EXPECT_EQ(0, SelectAudioDeviceByName(kMicrophone.c_str()));
    EXPECT_EQ(1, CaptureAudio(nullptr));
    DeleteFileA(busyFile);
    // Idle again, the same calls are taken.
    EXPECT_EQ(1, SelectVideoDevice(1, 0, 0));
    EXPECT_EQ(1, SelectAudioDevice(0));
    EXPECT_EQ(S_OK, SelectVideoDeviceByName(kCamera2.c_str()));

    ASSERT_EQ(1, Uninitialize());
    EXPECT_EQ(0, SelectVideoDevice(0, 0, 0));
    EXPECT_EQ(0, SelectAudioDevice(0));
    EXPECT_EQ(E_FAIL, SelectVideoDeviceByName(kCamera.c_str()));
    int index = -1;
    EXPECT_EQ(0, GetAudioDevice(&index, nullptr));
}

TEST_F(Devices, EveryFilterIsReleasedByUninitialize) {
    LONG baseline = 0;
    ASSERT_EQ(S_OK, bench_->GetLiveObjectCount(&baseline));
    for (int mode : {2, 4, 2}) {
        ASSERT_EQ(1, Start(mode));
        LONG running = 0;
        bench_->GetLiveObjectCount(&running);
        EXPECT_GT(running, baseline);
        ASSERT_EQ(1, Uninitialize());
        LONG after = 0;
        ASSERT_EQ(S_OK, bench_->GetLiveObjectCount(&after));
        EXPECT_EQ(baseline, after) << "mode " << mode;
    }
}

}  // namespace
}  // namespace enginetest
