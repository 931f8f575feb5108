#pragma once
// Effect numbering shared with the capture engine, the controller and the
// photo editor, and the frame-size classes several stages scale by.

namespace vimbrel::effects {

// The filter stores the developer page's radio-button id, effect id + 1001.
constexpr int kControlIdBase = 1001;

enum EffectId : int {
    kEffectRed = 1,
    kEffectGreen = 2,
    kEffectBlue = 3,
    kEffectCyan = 4,
    kEffectYellow = 5,
    kEffectMagenta = 6,
    kEffectNegative = 7,
    kEffectDarken = 8,
    kEffectGrey = 9,
    kEffectBlur = 10,
    kEffectSharpen = 11,
    kEffectSepia = 12,
    kEffectPosterize = 13,
    kEffectClearText = 14,
    kEffectBlackWhite = 15,
    kEffectEmboss = 16,
    kEffectMosaic = 17,
    kEffectEdgeDetect = 18,
    kEffectJitter = 19,
    kEffectKaleidoscope = 20,
    kEffectOilPainting = 21,
    kEffectPhotoFrame = 22,
    kEffectNone = 23,
    kEffectMirror = 26,
};

constexpr int ControlIdOf(int effectId) {
    // Unknown ids are stored as they come; wrap rather than overflow.
    return static_cast<int>(static_cast<unsigned>(effectId) + static_cast<unsigned>(kControlIdBase));
}

constexpr int EffectIdOf(int controlId) {
    return static_cast<int>(static_cast<unsigned>(controlId) - static_cast<unsigned>(kControlIdBase));
}

// 0 up to 200 x 150, 1 up to 400 x 300, 2 up to 800 x 600, 3 above.
int FrameSizeClass(int width, int height);

}  // namespace vimbrel::effects
