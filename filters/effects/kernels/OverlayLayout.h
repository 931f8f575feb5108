#pragma once
// Numbers the text overlay is laid out by; the drawing itself is GDI+.

namespace vimbrel::effects {

constexpr int kTextOverlayWidth = 160;
constexpr int kTextOverlayHeight = 20;

// Pixel size of the overlay font for a size step (the engine passes 0).
int TextFontPixels(int sizeStep, int sizeClass);

enum class TextAlign { Near, Centre, Far };

struct StampAlignment {
    TextAlign horizontal;
    TextAlign vertical;
};

// align % 3 picks the horizontal alignment (1 centre, 2 far, else near),
// align / 3 the vertical one (0 near, 2 far, else centre).
StampAlignment StampAlignmentOf(int align);

}  // namespace vimbrel::effects
