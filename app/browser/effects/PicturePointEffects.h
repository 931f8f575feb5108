#pragma once
// Effects that change each pixel from its own colour alone (ids 1-9 and
// 12-14): a row function per effect and one plane loop around it.

#include <cstdint>

#include "effects/BgrxImage.h"

namespace vimbrel::browser {

// Rewrites `width` pixels starting at `row`; the fourth byte stays.
using PointRowFunction = void (*)(uint8_t* row, int width);

void KeepRedRow(uint8_t* row, int width);    // green and blue to 0
void KeepGreenRow(uint8_t* row, int width);  // red and blue to 0
void KeepBlueRow(uint8_t* row, int width);   // red and green to 0
void DropRedRow(uint8_t* row, int width);    // cyan
void DropBlueRow(uint8_t* row, int width);   // yellow
void DropGreenRow(uint8_t* row, int width);  // magenta
void NegativeRow(uint8_t* row, int width);   // 255 - v
void DarkenRow(uint8_t* row, int width);     // v / 2
void GrayRow(uint8_t* row, int width);       // all three channels the gray
void SepiaRow(uint8_t* row, int width);
void PosterizeRow(uint8_t* row, int width);  // top three bits
void ClearTextRow(uint8_t* row, int width);

void ApplyPointRows(const BgrxImage& image, PointRowFunction rowFunction);

}  // namespace vimbrel::browser
