// Readable failure messages for skin configurations in tests.
#pragma once

#include "SkinConfig.h"

#include <iomanip>
#include <ostream>

namespace vimbrel::ui {

inline void PrintColour(Colour c, std::ostream* os) {
    // As the configuration writes it: RRGGBB.
    *os << std::hex << std::uppercase << std::setfill('0') << std::setw(2) << int(RedOf(c)) << std::setw(2)
        << int(GreenOf(c)) << std::setw(2) << int(BlueOf(c)) << std::dec << std::nouppercase;
}

inline void PrintTo(const ToggleSkin& t, std::ostream* os) {
    *os << "stsbtn=";
    PrintColour(t.key, os);
    *os << "," << t.normal << "," << t.over << "," << t.down << "," << t.disabled;
}

inline void PrintTo(const SliderSkin& s, std::ostream* os) {
    *os << "slider=";
    PrintColour(s.key, os);
    *os << "," << s.mask << "," << s.back << "," << s.strip << "," << s.overStrip << ",";
    PrintColour(s.transparent, os);
    if (!s.disabled.empty()) *os << "," << s.disabled;
}

inline void PrintTo(const PanelSkinConfig& c, std::ostream* os) {
    *os << "{back=" << c.back << " over=" << c.over << " down=" << c.down << " disable=" << c.disable
        << " mask=" << c.mask;
    for (const ToggleSkin& t : c.toggles) {
        *os << " ";
        PrintTo(t, os);
    }
    for (const SliderSkin& s : c.sliders) {
        *os << " ";
        PrintTo(s, os);
    }
    *os << "}";
}

}  // namespace vimbrel::ui
