#include "kernels/OverlayLayout.h"

#include <algorithm>

namespace vimbrel::effects {

int TextFontPixels(int sizeStep, int sizeClass) {
    // Steps are stored unchecked; keep the arithmetic defined for any of them.
    const int step = std::clamp(sizeStep, -100000, 100000);
    return sizeClass == 0 ? step * 4 + 11 : step * 5 + 16;
}

StampAlignment StampAlignmentOf(int align) {
    StampAlignment a{TextAlign::Near, TextAlign::Centre};
    switch (align % 3) {
    case 1: a.horizontal = TextAlign::Centre; break;
    case 2: a.horizontal = TextAlign::Far; break;
    default: a.horizontal = TextAlign::Near; break;
    }
    switch (align / 3) {
    case 0: a.vertical = TextAlign::Near; break;
    case 2: a.vertical = TextAlign::Far; break;
    default: a.vertical = TextAlign::Centre; break;
    }
    return a;
}

}  // namespace vimbrel::effects
