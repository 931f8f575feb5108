// Formats, picture and camera controls, the microphone level and the
// camera's pages against the bench camera and microphone. The engine runs
// in the sound mode, so none of this needs the preview.
#include "engine/tests/EngineTestSupport.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace enginetest {
namespace {

using Formats = EngineTest;
using Controls = EngineTest;
using MicrophoneLevel = EngineTest;
using StillRefusals = EngineTest;

struct ExpectedFormat {
    const char* name;
    int width;
    int height;
};

TEST_F(Formats, VideoInfoEntriesInThePinsOrderWithTheirNames) {
    ASSERT_EQ(1, Start(2));
    int index = -1;
    ASSERT_EQ(1, GetVideoFormat(&index, nullptr, nullptr, nullptr));
    // The bench camera lists nine formats; the VideoInfo2 one is left out.
    ASSERT_EQ(8, index);
    const ExpectedFormat expected[] = {{"RGB24", 320, 240},  {"RGB24", 176, 144}, {"RGB24", 640, 480},
                                       {"YUY2", 640, 480},   {"RGB24", 800, 600}, {"YVU9", 320, 240},
                                       {"RGB24", 1280, 720}, {"????", 320, 240}};
    for (int i = 0; i < 8; ++i) {
        index = i;
        char name[7] = "xxxxxx";
        int width = 0;
        int height = 0;
        ASSERT_EQ(1, GetVideoFormat(&index, name, &width, &height)) << i;
        EXPECT_STREQ(expected[i].name, name) << i;
        EXPECT_EQ(expected[i].width, width) << i;
        EXPECT_EQ(expected[i].height, height) << i;
    }
    char name[7];
    int width = 0;
    int height = 0;
    for (int bad : {8, -2}) {
        index = bad;
        EXPECT_EQ(0, GetVideoFormat(&index, name, &width, &height)) << bad;
    }
    index = 0;
    EXPECT_EQ(0, GetVideoFormat(&index, nullptr, &width, &height));
    EXPECT_EQ(0, GetVideoFormat(nullptr, name, &width, &height));
}

TEST_F(Formats, SixtyCapabilitiesKeepTheFirstFifty) {
    ASSERT_EQ(S_OK, bench_->SetFormatList(BENCH_FORMATS_SIXTY));
    ASSERT_EQ(1, Start(2));
    int index = -1;
    ASSERT_EQ(1, GetVideoFormat(&index, nullptr, nullptr, nullptr));
    EXPECT_EQ(50, index);
    // Entry i of the bench list is 16(i+1) x 12(i+1).
    char name[7];
    int width = 0;
    int height = 0;
    index = 49;
    ASSERT_EQ(1, GetVideoFormat(&index, name, &width, &height));
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    index = 50;
    EXPECT_EQ(0, GetVideoFormat(&index, name, &width, &height));
}

TEST_F(Formats, SwitchRefusesIndexesOutsideTheListAndAnswersTheCurrentOneAtOnce) {
    ASSERT_EQ(1, Start(2, 2));
    EXPECT_EQ(0, SetVideoFormat(8, 0));
    EXPECT_EQ(0, SetVideoFormat(-1, 0));
    EXPECT_EQ(0, SetVideoFormat(-1, 1));
    // Initialize made entry 2 the current format: no graph is touched, so
    // the missing preview does not show.
    EXPECT_EQ(1, SetVideoFormat(2, 0));
    EXPECT_EQ(0u, BoxesSaying(L"The Effect Filter is not found"));
}

TEST_F(Controls, PictureControlsPassThroughToTheCamera) {
    ASSERT_EQ(1, Start(2));
    long low = 0, high = 0, fallback = 0, value = 0;
    ASSERT_EQ(1, GetVideoQualityRange(0, &low, &high, &fallback));
    EXPECT_EQ(0, low);
    EXPECT_EQ(255, high);
    EXPECT_EQ(128, fallback);
    ASSERT_EQ(1, GetVideoQualityRange(7, &low, &high, &fallback));  // white balance
    EXPECT_EQ(2800, low);
    EXPECT_EQ(6500, high);

    EXPECT_EQ(1, SetVideoQuality(0, 200));
    ASSERT_EQ(1, GetVideoQuality(0, &value));
    EXPECT_EQ(200, value);
    EXPECT_EQ(0, SetVideoQuality(0, 300));  // the camera refuses it
    EXPECT_EQ(0, SetVideoQuality(10, 1));
    EXPECT_EQ(0, GetVideoQuality(-1, &value));
    EXPECT_EQ(0, GetVideoQuality(0, nullptr));

    EXPECT_EQ(1, SetDefaultVideoQuality(0));
    ASSERT_EQ(1, GetVideoQuality(0, &value));
    EXPECT_EQ(128, value);
    EXPECT_EQ(1, SetVideoQuality(3, 10));
    EXPECT_EQ(1, SetDefaultVideoQuality(-1));
    ASSERT_EQ(1, GetVideoQuality(3, &value));
    EXPECT_EQ(64, value);
    EXPECT_EQ(0, SetDefaultVideoQuality(10));
    EXPECT_EQ(0, SetDefaultVideoQuality(-2));
}

TEST_F(Controls, CameraControlsPassThroughAfterASelectionByIndex) {
    ASSERT_EQ(1, Start(2));  // no saved name: camera 0 is selected by index
    long low = 0, high = 0, value = 0;
    ASSERT_EQ(1, GetCameraControlRange(3, &low, &high));  // zoom
    EXPECT_EQ(100, low);
    EXPECT_EQ(400, high);
    ASSERT_EQ(1, GetCameraControlRange(4, &low, &high));  // exposure
    EXPECT_EQ(-11, low);
    EXPECT_EQ(-2, high);
    EXPECT_EQ(1, SetCameraControl(3, 200));
    ASSERT_EQ(1, GetCameraControl(3, &value));
    EXPECT_EQ(200, value);
    EXPECT_EQ(0, SetCameraControl(3, 205));  // off the camera's 10-step grid
    EXPECT_EQ(0, SetCameraControl(7, 0));
    EXPECT_EQ(0, GetCameraControlRange(-1, &low, &high));
    EXPECT_EQ(0, GetCameraControl(3, nullptr));
}

TEST_F(Controls, ACameraOpenedByNameHasNoCameraControlsButItsPictureControls) {
    wcscpy(videoName_, BENCH_CAMERA_NAME);
    ASSERT_EQ(1, Start(2));
    long value = 0;
    EXPECT_EQ(0, GetCameraControl(3, &value));
    EXPECT_EQ(1, GetVideoQuality(0, &value));
}

TEST_F(Controls, ACameraWithoutTheInterfacesRefusesEveryControl) {
    ASSERT_EQ(S_OK, bench_->SetMissingControls(BENCH_MISSING_VIDEOPROCAMP | BENCH_MISSING_CAMERACONTROL));
    ASSERT_EQ(1, Start(2));
    long low = 0, high = 0, fallback = 0, value = 0;
    EXPECT_EQ(0, GetVideoQualityRange(0, &low, &high, &fallback));
    EXPECT_EQ(0, GetVideoQuality(0, &value));
    EXPECT_EQ(0, SetVideoQuality(0, 1));
    EXPECT_EQ(0, SetDefaultVideoQuality(-1));
    EXPECT_EQ(0, GetCameraControlRange(0, &low, &high));
    EXPECT_EQ(0, SetCameraControl(0, 0));
}

// The call shows the camera's own page (its brightness and contrast
// fields) in a property frame and returns only once the frame is closed:
// the one box there was is seen while the call runs, and gone by its end.
TEST_F(Controls, TheCamerasOwnPagesShowInAModalFrame) {
    ASSERT_EQ(1, Start(2));
    dismisser_.Clear();
    std::atomic<bool> returned{false};
    std::atomic<bool> seenWhileRunning{false};
    dismisser_.SetBeforePress([&](HWND) { seenWhileRunning = !returned.load(); });
    EXPECT_EQ(1, DisplayCameraAdvancedSetting(host_.Handle()));
    returned = true;
    const std::vector<testbench::DismissedDialog> boxes = dismisser_.Dismissed();
    dismisser_.SetBeforePress(nullptr);
    ASSERT_EQ(1u, boxes.size()) << "the call returned before its frame was closed, or showed no frame";
    EXPECT_TRUE(seenWhileRunning.load());
    EXPECT_NE(std::wstring::npos, boxes[0].caption.find(L"Properties"));
    EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"Brightness"));
    EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"Contrast"));
}

TEST_F(MicrophoneLevel, SetAndReadBackWithinZeroToOne) {
    ASSERT_EQ(1, Start(2));
    double level = -1.0;
    ASSERT_EQ(1, GetAudioVolume(&level));
    EXPECT_EQ(1.0, level);
    EXPECT_EQ(1, SetAudioVolume(0.25));
    BOOL enabled = FALSE;
    double lineLevel = 0.0;
    LONG changes = 0;
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &lineLevel, &changes));
    EXPECT_EQ(0.25, lineLevel);
    ASSERT_EQ(1, GetAudioVolume(&level));
    EXPECT_EQ(0.25, level);

    EXPECT_EQ(1, SetAudioVolume(1.0));
    EXPECT_EQ(0, SetAudioVolume(1.0000001));
    EXPECT_EQ(0, SetAudioVolume(-0.1));
    EXPECT_EQ(0, SetAudioVolume(std::numeric_limits<double>::quiet_NaN()));
    ASSERT_EQ(S_OK, bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &lineLevel, &changes));
    EXPECT_EQ(1.0, lineLevel);
    EXPECT_EQ(1, SetAudioVolume(0.0));
    EXPECT_EQ(0, GetAudioVolume(nullptr));
}

TEST_F(StillRefusals, PathsThatDoNotFitAreRefusedAndWithoutAFrameNothingIsWritten) {
    // The sound mode has no preview, so the grabber holds no frame.
    ASSERT_EQ(1, Start(2));
    EXPECT_EQ(0, CaptureImage(nullptr));
    // 127 characters fit the engine's path buffer, 128 do not.
    const std::string fits = "engine-still-" + std::string(127 - 17, 'a') + ".jpg";
    const std::string tooLong = "engine-still-" + std::string(128 - 17, 'a') + ".jpg";
    ASSERT_EQ(127u, fits.size());
    ASSERT_EQ(128u, tooLong.size());
    EXPECT_EQ(0, CaptureImage(tooLong.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(tooLong.c_str()));
    EXPECT_EQ(1, CaptureImage(fits.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(fits.c_str()));
    EXPECT_EQ(0, CaptureImage(""));
}

}  // namespace
}  // namespace enginetest
