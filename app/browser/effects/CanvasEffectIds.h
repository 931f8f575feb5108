#pragma once
// The effect numbers the photo canvas accepts. They are the effects filter's
// numbers, but 20 and 26 compute something else on a still picture than in
// the live filter, and 30 exists only here.

namespace vimbrel::browser {

enum CanvasEffectId : int {
    kCanvasRed = 1,
    kCanvasGreen = 2,
    kCanvasBlue = 3,
    kCanvasCyan = 4,
    kCanvasYellow = 5,
    kCanvasMagenta = 6,
    kCanvasNegative = 7,
    kCanvasDarken = 8,
    kCanvasGray = 9,
    kCanvasBlur = 10,
    kCanvasSharpen = 11,
    kCanvasSepia = 12,
    kCanvasPosterize = 13,
    kCanvasClearText = 14,
    kCanvasBlackWhite = 15,
    kCanvasEmboss = 16,
    kCanvasMosaic = 17,
    kCanvasEdge = 18,
    kCanvasFrosted = 19,
    kCanvasDotScreen = 20,  // the filter's kaleidoscope number
    kCanvasOilPainting = 21,
    kCanvasSelectiveSmooth = 26,  // the filter's mirror number
    kCanvasColourBalance = 30,
};

}  // namespace vimbrel::browser
