// A memory device context over a top-down 32-bit DIB section, so that a
// test can paint it a known colour, hand it to SnapFrame, and read back
// exactly what was drawn.
#pragma once

#include <windows.h>

#include <cstdint>

namespace snapframetest {

class CFrameCanvas {
public:
    CFrameCanvas(int width, int height);
    ~CFrameCanvas();
    CFrameCanvas(const CFrameCanvas&) = delete;
    CFrameCanvas& operator=(const CFrameCanvas&) = delete;

    bool Ready() const { return bits_ != nullptr; }
    HDC Context() const { return dc_; }
    // Every byte of every pixel set to value.
    void Fill(uint8_t value);
    // Channel c (0 blue, 1 green, 2 red) of the pixel at x, y from the top.
    uint8_t Channel(int x, int y, int c) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
};

}  // namespace snapframetest
