// The test devices' deterministic picture and sound, portable so that tests
// of any component (natively too) can compute exactly what the virtual
// camera and microphone deliver.
//
// Picture: bottom-up RGB24 (blue, green, red), rows padded to four bytes
// with zero bytes. Top three quarters: eight vertical colour bars (white,
// yellow, cyan, green, magenta, red, blue, black at level 192 — black is 0);
// bottom quarter: a grey ramp from 0 at the left edge to 255 at the right.
// The moving object is an orange (255, 128, 0) square of side max(4, h/6)
// whose left edge bounces between 0 and width - side, max(1, width/64)
// pixels a frame, vertically centred in the bar area.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace benchscene {

enum class Pattern : int32_t {
    Still = 0,         // bars and ramp, the same every frame
    MovingObject = 1,  // bars and ramp with the object at its frame position
    Black = 2,
    White = 3,
    ObjectAtRest = 4,  // bars and ramp with the object where frame 0 has it
};

struct Step {
    Pattern pattern;
    uint32_t frames;
};

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

constexpr Rgb kObjectColour = {255, 128, 0};

struct ObjectBox {
    int32_t left;
    int32_t top;  // counted from the top of the picture
    int32_t side;
};

bool IsValidPattern(int32_t value);

// The object's place in frame n of a width x height picture.
ObjectBox ObjectAt(int32_t width, int32_t height, uint64_t frameIndex);

// The background at (x, y), y counted from the top.
Rgb BackgroundPixel(int32_t width, int32_t height, int32_t x, int32_t yFromTop);

class Scene {
public:
    // A constant pattern; clears any script.
    void SetPattern(Pattern pattern);
    // Frame n shows the step that covers it; after the last step the last
    // pattern stays. An empty script falls back to the constant pattern.
    void SetScript(std::vector<Step> steps);

    Pattern PatternAt(uint64_t frameIndex) const;

    // Renders frame n. False (and nothing written) for a non-positive size,
    // a size too large, or a buffer smaller than the frame.
    bool Render(int32_t width, int32_t height, uint64_t frameIndex, uint8_t* buffer, size_t size) const;

private:
    Pattern pattern_ = Pattern::MovingObject;
    std::vector<Step> script_;
};

// Bytes of one rendered frame, or 0 when the size is not renderable.
size_t FrameSize(int32_t width, int32_t height);

// Sound: a triangle wave with a period of 100 samples (441 Hz at 44.1 kHz):
// -100 at phase 0, rising to +100 at phase 50 and falling back, times
// 80 x level (so 8000 at full level), rounded to the nearest integer. The
// level is clamped to 0..1.
int16_t ToneSample(uint64_t sampleIndex, double level);

}  // namespace benchscene
