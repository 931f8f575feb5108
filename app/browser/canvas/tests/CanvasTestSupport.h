// A canvas in a real window for the tests, with pictures made on the spot
// and mouse input as the user would give it.
#pragma once

#include "CPhotoCanvas.h"
#include "GdiplusSession.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace canvastest {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;

// A folder of its own under the temporary folder, removed with its files.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }

private:
    std::wstring folder_;
};

// Writes a w x h PNG filled with `argb`, then lets `paint` draw on it.
std::wstring WritePng(const CScratchFolder& folder, const wchar_t* name, int w, int h, uint32_t argb,
                      const std::function<void(Gdiplus::Graphics&)>& paint = {});

// Reads a saved picture back: its size and one pixel as 0xRRGGBB.
struct SavedPicture {
    int width = 0;
    int height = 0;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    uint32_t At(int x, int y) const;
};
SavedPicture ReadBack(const std::wstring& path);

// Channels within `tolerance` of each other.
::testing::AssertionResult NearColour(uint32_t actual, uint32_t expected, int tolerance);

class CanvasWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a picture file, editable, and turns editing on.
    void Edit(const std::wstring& path);
    // Mouse input at a canvas point; the real cursor goes there too, so the
    // canvas's own leave check sees it over the window.
    void Press(int x, int y);
    void Move(int x, int y, bool buttonDown = true);
    void Release(int x, int y);
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void Command(UINT id);
    // WM_PHOTO_MODIFIED messages that reached the owner since the last call.
    int TakeModifiedNotices();
    uint32_t Full(int x, int y) { return canvas_->FullSizePicture().PixelAt(x, y); }
    uint32_t View(int x, int y) { return canvas_->ViewBuffer().PixelAt(x, y); }

    vimbrel::ui::CGdiplusSession gdiplus_;
    CScratchFolder scratch_;
    HWND owner_ = nullptr;
    std::unique_ptr<vimbrel::canvas::CPhotoCanvas> canvas_;
};

}  // namespace canvastest
