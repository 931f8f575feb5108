// What the mode wheel needs of the controller that owns it.
#pragma once

#include "SkinTypes.h"

#include <string>

namespace vimbrel::ui {

class IWheelController {
public:
    virtual ~IWheelController() = default;
    // Asked before a click leaves the browsing mode: 2 or 6 keeps it.
    virtual int QueryLeaveBrowse() = 0;
    // A click chose this mode.
    virtual void SetMode(int mode) = 0;
    // A text of the language file by its key ("IDS_TIP_AUDIOMODE").
    virtual std::wstring LanguageText(const char* key) = 0;
    // Colour `index` (from 0) of the skin's colour table.
    virtual Colour SkinColour(int index) = 0;
};

}  // namespace vimbrel::ui
