// The program's user-interface font as the controller describes it. Kept
// free of Windows headers: the controller interfaces that hand it out are
// shared with the portable code.
#pragma once

#include <string>

namespace vimbrel::ui {

// Used in this order as the GDI+ font style, unit and string alignment.
struct UiFontRequest {
    std::wstring face;
    float size = 9.0f;
    int style = 0;
    int unit = 0;
    int alignment = 0;
};

}  // namespace vimbrel::ui
