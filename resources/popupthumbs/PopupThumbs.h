#pragma once
// The thumbnail strips of the effect, frame and stamp popups, drawn from
// what the program really does: one sample picture through each live effect
// of the effects filter, through each photo effect of the photo editor, and
// under each photo frame; and each stamp as the photo editor puts it on. A strip is 512 x 24, sixteen 32 x 24 cells side by
// side, cell k at x = k * 32, in the popups' own cell order. Everything is
// integer arithmetic over the effects' own code, so every build draws the
// same bytes. Portable: no Windows header.

#include <cstdint>
#include <vector>

namespace vimbrel::thumbs {

constexpr int kCellWidth = 32;
constexpr int kCellHeight = 24;
constexpr int kCells = 16;

// RGBA, 4 bytes a pixel, rows top first, packed.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    uint8_t* At(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

RgbaPicture MakePicture(int width, int height);

// The sample scene the effects are shown on, opaque: a house, a tree and
// the sun over a hill, drawn at the given size.
RgbaPicture SamplePicture(int width, int height);

// Shrinks a picture by whole factors (width and height must divide), each
// cell pixel the rounded mean of its block; colours are weighted by alpha
// so transparent pixels lend no colour.
RgbaPicture ShrinkPicture(const RgbaPicture& picture, int toWidth, int toHeight);

// Copies a 32 x 24 picture into cell `cell` of a strip.
void PasteCell(RgbaPicture& strip, int cell, const RgbaPicture& picture);

// Lays `over` (any alpha) on `under` (opaque), both the same size.
void Compose(RgbaPicture& under, const RgbaPicture& over);

// The live filter's cells: entry k through the effects filter's effect.
RgbaPicture LiveEffectStrip();
// The photo filter's cells: entry k through the photo editor's effect.
RgbaPicture PhotoEffectStrip();
// The frame cells: cell 0 the bare sample, cell k the sample under
// frames[k - 1]; cells without a frame stay bare.
RgbaPicture FrameStrip(const std::vector<RgbaPicture>& frames);
// The stamp cells, clear around what they show, so the popup's own fill
// (selected, under the mouse, or its body) is the ground: cell 0 a stroke of
// the pen, cell k stamps[k - 1] shrunk by three, centred, as the editor
// uses entry k: a picture stamp as it is, a brush stamp in the editor's
// starting pen colour, black. A stamp that does not fit leaves its cell clear.
RgbaPicture StampStrip(const std::vector<RgbaPicture>& stamps);

}  // namespace vimbrel::thumbs
