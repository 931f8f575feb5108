#include "BrowseRules.h"

#include <cmath>

namespace vimbrel::controller {

int PhotoEffectIdOfEntry(int entry) {
    static const int kEffectIds[16] = {0, 4, 6, 5, 11, 17, 16, 19, 9, 21, 7, 18, 14, 12, 15, 20};
    if (entry < 1 || entry > 15) return 0;
    return kEffectIds[entry];
}

StampKind StampKindOfEntry(int entry) {
    if (entry < 1 || entry > 15) return StampKind::Pen;
    if (entry <= 8 || entry == 12) return StampKind::Image;
    return StampKind::Brush;
}

namespace {
std::u16string Number(int value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string PhotoFramePath(const std::u16string& programFolder, const char16_t* stem, int entry) {
    return programFolder + u"\\PhotoFrame\\" + stem + Number(entry) + u".png";
}
}  // namespace

std::u16string StampPath(const std::u16string& programFolder, int entry) {
    return PhotoFramePath(programFolder, u"stamp", entry);
}

std::u16string FramePath(const std::u16string& programFolder, int entry) {
    return PhotoFramePath(programFolder, u"frame", entry);
}

int ProgressPercent(float seconds, float duration) {
    if (!(duration > 0.0f) || !std::isfinite(seconds) || !std::isfinite(duration)) return 0;
    double percent = static_cast<double>(seconds) / static_cast<double>(duration) * 100.0;
    if (percent <= 0.0) return 0;
    if (percent >= 100.0) return 100;
    return static_cast<int>(percent);
}

int OverlaySeconds(float seconds) {
    if (!std::isfinite(seconds) || seconds <= 0.0f) return 0;
    if (seconds >= 2147483647.0f) return 2147483647;
    return static_cast<int>(seconds);
}

}  // namespace vimbrel::controller
