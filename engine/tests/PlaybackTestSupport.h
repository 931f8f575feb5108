// What the playback tests share: recordings written with the bench's own
// AVI and WAVE writer into a folder beside the tests, a memory canvas for
// the first frame, and a fixture that starts the engine around each test.
#pragma once

#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "CDialogDismisser.h"
#include "engine/tests/TestHostWindow.h"
#include "winowners/GdiOwners.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace enginetest {

// The frame size of the test videos.
constexpr int kFrameWidth = 64;
constexpr int kFrameHeight = 48;

// A silent mono 16-bit 8 kHz WAVE file of the given length.
std::vector<uint8_t> WavOfSeconds(int seconds);

// An uncompressed RGB24 video of kFrameWidth x kFrameHeight at 5 frames a
// second, with or without a sound stream of the same length.
std::vector<uint8_t> AviOfSeconds(int seconds, bool withSound);

// Byte c (0 blue, 1 green, 2 red) of pixel (x, y from the top) in the
// first frame of every test video.
uint8_t FirstFramePixelByte(int x, int y, int c);

// Writes the bytes under name in the tests' media folder and answers the
// full path.
std::wstring WriteMediaFile(const std::wstring& name, const std::vector<uint8_t>& bytes);

// Whether the media detector in this prefix reads frames (Wine's own does
// not; the bench's does).
bool DetectorReadsFrames(const std::wstring& videoPath);

// A top-down 24-bit memory bitmap in a device context of its own, filled
// with one colour.
class CCanvas {
public:
    CCanvas(int width, int height, uint8_t fill);

    HDC dc = nullptr;
    uint8_t Byte(int x, int y, int c) const;

private:
    // Declared in the order they are made: the selection goes first.
    winowners::UniqueBitmap bitmap_;
    winowners::UniqueMemoryDC memory_;
    std::optional<winowners::UniqueSelection> selected_;
    uint8_t* bits_ = nullptr;
    int stride_ = 0;
};

// The filters of a graph by the names they were added under.
std::vector<std::wstring> FilterNames(IGraphBuilder* graph);
camera::ComPtr<IBaseFilter> FilterNamed(IGraphBuilder* graph, const wchar_t* name);

// Starts the engine in browse mode with a host window for the video, and
// ends it again after the test.
class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // PlayFile into the window (the host window without one) and the
    // canvas, at the frame size.
    int Play(const std::wstring& path, HWND window = nullptr);

    CTestHostWindow host_;
    testbench::CDialogDismisser dismisser_{IDOK};
    CCanvas canvas_{kFrameWidth, kFrameHeight, 0x5A};
    float seconds_ = -1.0f;
    int hasVideo_ = -1;
};

}  // namespace enginetest
