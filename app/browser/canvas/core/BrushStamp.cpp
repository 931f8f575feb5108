#include "BrushStamp.h"

namespace vimbrel::canvas {

StampPixels RecolouredBrushStamp(const StampPixels& loaded, uint32_t argbColour, bool inverted) {
    StampPixels out = loaded;
    const uint32_t rgb = argbColour & 0x00FFFFFFu;
    for (uint32_t& pixel : out.pixels) {
        const uint32_t alpha = pixel >> 24;
        if (!inverted) {
            if (alpha > 0) pixel = ((alpha * 9 / 10) << 24) | rgb;
        } else {
            pixel = alpha > 0 ? rgb : (230u << 24) | rgb;
        }
    }
    return out;
}

uint32_t OpaqueArgbOf(uint32_t colorref) {
    const uint32_t r = colorref & 0xFF;
    const uint32_t g = (colorref >> 8) & 0xFF;
    const uint32_t b = (colorref >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace vimbrel::canvas
