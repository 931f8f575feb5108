#include "FilmStripMath.h"

#include <cstdio>

namespace slideshow {

int FilmPhase(std::uint32_t elapsedMs) {
    const double tenThousandth = static_cast<double>(0.0001f);
    return static_cast<int>(static_cast<double>(elapsedMs) * tenThousandth * static_cast<double>(kFilmPhasesPerCycle));
}

int FeaturedAlpha(int phase) {
    static const int kFadeIn[10] = {20, 40, 80, 130, 180, 210, 220, 230, 240, 250};
    static const int kFadeOut[10] = {250, 240, 230, 220, 210, 180, 130, 80, 20, 0};
    if (phase < 0 || phase > kFilmLastBlendPhase) return -1;
    if (phase < 10) return kFadeIn[phase];
    if (phase < 150) return 255;
    if (phase < 160) return kFadeOut[phase - 150];
    return 0;
}

FittedRect FeaturedRectAt(int phase, const FittedRect& small, const FittedRect& large) {
    if (phase >= kFilmZoomPhases) return large;
    if (phase < 0) phase = 0;
    const int rest = kFilmZoomPhases - phase;
    auto mix = [phase, rest](int to, int from) { return (phase * to + rest * from) / kFilmZoomPhases; };
    return FittedRect{mix(large.x, small.x), mix(large.y, small.y), mix(large.width, small.width),
                      mix(large.height, small.height)};
}

std::u16string FilmDateText(int year, int month, int day) {
    char text[40];
    std::snprintf(text, sizeof text, "%i/%i/%i", year, month, day);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace slideshow
