// What the status strip needs of the controller that drives it: the
// settings it shows, the file being played, the skin's colours, the
// program's font and a language text.
#pragma once

#include "OverlayLogic.h"
#include "SkinTypes.h"
#include "UiFontRequest.h"

#include <string>

namespace vimbrel::ui {

class IOverlayController {
public:
    virtual ~IOverlayController() = default;
    // The current settings (the controller's copy-settings operation);
    // false when they cannot be had, and `out` is left as it was.
    virtual bool CopySettings(OverlaySettings& out) = 0;
    // The media file being played or shown; empty when there is none.
    virtual std::wstring CurrentFile() = 0;
    // Colour `index` (from 0) of the skin's colour table.
    virtual Colour SkinColour(int index) = 0;
    virtual UiFontRequest UiFont() = 0;
    // A text of the language file by its key ("IDS_STG_SENSITIVITY").
    virtual std::wstring LanguageText(const char* key) = 0;
};

}  // namespace vimbrel::ui
