#include "effects/PicturePointEffects.h"

#include <array>

namespace vimbrel::browser {
namespace {

// Clears the channels whose bit is set in Mask (bit 0 blue, 1 green, 2 red);
// a template so that each colour effect compiles to a loop without tests.
template <unsigned Mask>
void ClearChannelsRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        if (Mask & 1u) row[0] = 0;
        if (Mask & 2u) row[1] = 0;
        if (Mask & 4u) row[2] = 0;
    }
}

struct SepiaTone {
    std::array<uint8_t, 256> blue, green, red;
};

// The tone depends on the weighted gray f only, so it is looked up. With
// 12495 = 49 x 255 the red term never leaves 0..255.
SepiaTone MakeSepiaTone() {
    SepiaTone tone{};
    for (int f = 0; f < 256; ++f) {
        tone.red[f] = static_cast<uint8_t>(f + (12495 - 49 * f) / 255);
        tone.green[f] = static_cast<uint8_t>(f - (16 * f) / 255);
        tone.blue[f] = static_cast<uint8_t>(f - (56 * f) / 255);
    }
    return tone;
}

}  // namespace

void KeepRedRow(uint8_t* row, int width) { ClearChannelsRow<1u | 2u>(row, width); }
void KeepGreenRow(uint8_t* row, int width) { ClearChannelsRow<1u | 4u>(row, width); }
void KeepBlueRow(uint8_t* row, int width) { ClearChannelsRow<2u | 4u>(row, width); }
void DropRedRow(uint8_t* row, int width) { ClearChannelsRow<4u>(row, width); }
void DropBlueRow(uint8_t* row, int width) { ClearChannelsRow<1u>(row, width); }
void DropGreenRow(uint8_t* row, int width) { ClearChannelsRow<2u>(row, width); }

void NegativeRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        row[0] = static_cast<uint8_t>(255 - row[0]);
        row[1] = static_cast<uint8_t>(255 - row[1]);
        row[2] = static_cast<uint8_t>(255 - row[2]);
    }
}

void DarkenRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        row[0] = static_cast<uint8_t>(row[0] / 2);
        row[1] = static_cast<uint8_t>(row[1] / 2);
        row[2] = static_cast<uint8_t>(row[2] / 2);
    }
}

void GrayRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        const uint8_t gray = static_cast<uint8_t>(GrayOf(row));
        row[0] = row[1] = row[2] = gray;
    }
}

void SepiaRow(uint8_t* row, int width) {
    static const SepiaTone tone = MakeSepiaTone();
    for (int x = 0; x < width; ++x, row += 4) {
        const int f = (587 * row[1] + 299 * row[2] + 114 * row[0]) / 1000;
        row[0] = tone.blue[f];
        row[1] = tone.green[f];
        row[2] = tone.red[f];
    }
}

void PosterizeRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        row[0] &= 0xE0;
        row[1] &= 0xE0;
        row[2] &= 0xE0;
    }
}

// A luma and two colour differences, the luma's contrast doubled around mid
// gray and the colour put back on top. Every division truncates toward zero
// and each term is divided on its own, as the editor always did.
void ClearTextRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        const int b = row[0], g = row[1], r = row[2];
        const int y = (b + 6 * g + 3 * r) / 10;
        const int k = ClampByte(2 * y - 128);
        const int v = 7 * (r - y) / 10;
        const int u = 16 * (b - y) / 25;
        row[2] = ClampByte(k + 7 * v / 5);
        row[1] = ClampByte(k - u / 3 - 7 * v / 10);
        row[0] = ClampByte(k + 9 * u / 5);
    }
}

void ApplyPointRows(const BgrxImage& image, PointRowFunction rowFunction) {
    for (int y = 0; y < image.height; ++y) {
        rowFunction(image.Row(y), image.width);
    }
}

}  // namespace vimbrel::browser
