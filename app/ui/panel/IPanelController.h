// What the skinned panels and sliders need of the controller that owns
// them: where presses go, the texts they show and the values they start at.
#pragma once

#include "SkinTypes.h"

#include <windows.h>

#include <string>

namespace vimbrel::ui {

class IPanelController {
public:
    virtual ~IPanelController() = default;
    virtual void OnButton(Colour key) = 0;
    virtual void OnButtonUp(Colour key) = 0;
    // value 0..1; negative when a press found no step.
    virtual void OnSliderChanged(Colour key, double value) = 0;
    virtual std::wstring GetButtonTip(Colour key) = 0;
    // A text of the language file by its key ("IDS_TIP_PAUSE").
    virtual std::wstring LanguageText(const char* key) = 0;
    virtual double GetAudioVolume() = 0;
    virtual double GetPlaybackVolume() = 0;
    // `window` gets `message` (wParam percent, lParam 1) on every change
    // of the broadcast `kind`.
    virtual void RegisterSliderListener(HWND window, int kind, UINT message) = 0;
};

}  // namespace vimbrel::ui
