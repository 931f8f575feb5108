#include "effects/PixelEffects.h"

#include <new>

#include "effects/CanvasEffectIds.h"
#include "effects/NeighbourhoodEffects.h"
#include "effects/PictureWideEffects.h"
#include "effects/PicturePointEffects.h"
#include "effects/RandomEffects.h"

namespace vimbrel::browser {
namespace {

constexpr int kSmoothingThreshold = 15;  // the canvas's own selective smoothing

PointRowFunction PointRowFor(int effectId) {
    switch (effectId) {
    case kCanvasRed: return KeepRedRow;
    case kCanvasGreen: return KeepGreenRow;
    case kCanvasBlue: return KeepBlueRow;
    case kCanvasCyan: return DropRedRow;
    case kCanvasYellow: return DropBlueRow;
    case kCanvasMagenta: return DropGreenRow;
    case kCanvasNegative: return NegativeRow;
    case kCanvasDarken: return DarkenRow;
    case kCanvasGray: return GrayRow;
    case kCanvasSepia: return SepiaRow;
    case kCanvasPosterize: return PosterizeRow;
    case kCanvasClearText: return ClearTextRow;
    default: return nullptr;
    }
}

// Every effect takes its scratch memory before it writes the first pixel,
// so an allocation failure leaves the picture untouched.
bool Dispatch(int effectId, const BgrxImage& image, IRandomSource& random) {
    if (const PointRowFunction row = PointRowFor(effectId)) {
        ApplyPointRows(image, row);
        return true;
    }
    switch (effectId) {
    case kCanvasBlur: Blur(image); return true;
    case kCanvasSharpen: Sharpen(image); return true;
    case kCanvasBlackWhite: BlackWhite(image); return true;
    case kCanvasEmboss: Emboss(image); return true;
    case kCanvasMosaic: Mosaic(image); return true;
    case kCanvasEdge: EdgeDetect(image); return true;
    case kCanvasFrosted: Frosted(image, random); return true;
    case kCanvasDotScreen: DotScreen(image, random); return true;
    case kCanvasOilPainting: OilPainting(image); return true;
    case kCanvasSelectiveSmooth: SelectiveSmoothing(image, kSmoothingThreshold); return true;
    case kCanvasColourBalance: ColourBalance(image); return true;
    default: return false;
    }
}

}  // namespace

bool IsCanvasEffect(int effectId) {
    return (effectId >= kCanvasRed && effectId <= kCanvasOilPainting) || effectId == kCanvasSelectiveSmooth ||
           effectId == kCanvasColourBalance;
}

bool RunPixelEffect(int effectId, const BgrxImage& image, IRandomSource& random) noexcept {
    if (!IsCanvasEffect(effectId) || image.bits == nullptr || image.width <= 0 || image.height <= 0) {
        return false;
    }
    try {
        return Dispatch(effectId, image, random);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RunPixelEffect(int effectId, uint8_t* pixels, std::size_t length, int width, int height,
                    IRandomSource& random) noexcept {
    BgrxImage image;
    if (!MakeBgrxImage(pixels, length, width, height, image)) {
        return false;
    }
    return RunPixelEffect(effectId, image, random);
}

}  // namespace vimbrel::browser
