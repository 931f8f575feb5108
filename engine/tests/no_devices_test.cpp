// Runs in a prefix where no bench device is registered: Wine then lists no
// camera, and no sound source the engine can use.
#include "engine/include/CameraApi.h"
#include "CDialogDismisser.h"
#include "engine/tests/TestHostWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NoDevices, BothBoxesAppearAndTheEngineStillStarts) {
    CoInitialize(nullptr);
    enginetest::CTestHostWindow host;
    testbench::CDialogDismisser dismisser(IDOK);
    ASSERT_EQ(1, SetPreviewWnd(host.Handle()));

    wchar_t video[260] = L"Vimbrel Bench Camera";
    wchar_t audio[260] = L"Vimbrel Bench Microphone";
    int videoCount = -7;
    int audioCount = -7;
    ASSERT_EQ(1, Initialize(0, 2, video, audio, &videoCount, &audioCount));
    EXPECT_EQ(0, videoCount);
    EXPECT_EQ(0, audioCount);
    // Nothing was opened, so the wanted names stay as they were.
    EXPECT_EQ(std::wstring(L"Vimbrel Bench Camera"), video);
    EXPECT_EQ(std::wstring(L"Vimbrel Bench Microphone"), audio);

    bool sawAudioBox = false;
    bool sawCameraBox = false;
    for (const auto& box : dismisser.Dismissed()) {
        if (box.text == L"No Audio Device Found!!") {
            EXPECT_EQ(L"Vimbrel", box.caption);
            sawAudioBox = true;
        }
        if (box.text == L"No Camera Device Found!!") {
            EXPECT_EQ(L"Vimbrel", box.caption);
            EXPECT_TRUE(sawAudioBox) << "the sound devices are enumerated first";
            sawCameraBox = true;
        }
        // Without a camera the preview build fails before it looks for filters.
        EXPECT_NE(L"The Effect Filter is not found", box.text);
        EXPECT_NE(L"The camera is used by another program", box.text);
    }
    EXPECT_TRUE(sawAudioBox);
    EXPECT_TRUE(sawCameraBox);

    int index = -1;
    EXPECT_EQ(1, GetVideoDevice(&index, nullptr));
    EXPECT_EQ(0, index);
    index = -1;
    EXPECT_EQ(1, GetAudioDevice(&index, nullptr));
    EXPECT_EQ(0, index);
    index = 0;
    char name[260] = "untouched";
    EXPECT_EQ(0, GetVideoDevice(&index, name));
    EXPECT_EQ(0, SelectVideoDevice(0, 0, 0));
    EXPECT_EQ(0, SelectAudioDevice(0));

    // The preview cannot be built; the modes without it still work.
    EXPECT_EQ(0, SetMode(3));
    EXPECT_EQ(1, SetMode(2));
    EXPECT_EQ(0, SetMode(0));
    EXPECT_EQ(1, SetMode(4));
    EXPECT_EQ(1, Uninitialize());
    CoUninitialize();
}

}  // namespace
