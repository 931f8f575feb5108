// What the item popups need of the controller: the setting they change,
// the catalogue item they show, the camera's video-quality range for the
// brightness and contrast sliders, and the skin's colours, font and texts.
#pragma once

#include "IOverlayController.h"
#include "SkinTypes.h"

#include <string>
#include <vector>

namespace vimbrel::ui {

// One entry of a catalogue item's list, in list order.
struct PopupEntry {
    std::wstring text;
    bool enabled = true;
};

class IPopupController {
public:
    virtual ~IPopupController() = default;
    // The get-setting operation; false when the value cannot be read.
    virtual bool GetSetting(int settingId, int& value) = 0;
    // The apply-setting operation, always with apply = 1.
    virtual void ApplySetting(int settingId, int value) = 0;
    // The title of the setting's catalogue item; false when it has none.
    virtual bool ItemTitle(int settingId, std::wstring& title) = 0;
    // The item's whole entry list; empty when it has none.
    virtual std::vector<PopupEntry> ItemEntries(int settingId) = 0;
    // Index in the whole list of the n-th enabled entry, and back; -1
    // when there is no such entry.
    virtual int VisibleToEntryIndex(int settingId, int visible) = 0;
    virtual int EntryToVisibleIndex(int settingId, int entry) = 0;
    // Fills the date-stamp item's entries with today's date formats.
    virtual void RefreshDateFormats() = 0;
    // Lays the function panel out again (a file type changed).
    virtual void RelayoutFunctionPanel() = 0;
    // The camera's range and value of a video-quality property (0
    // brightness, 1 contrast); false when the camera cannot tell.
    virtual bool VideoQualityRange(int property, int& minimum, int& maximum) = 0;
    virtual bool GetVideoQuality(int property, int& value) = 0;
    // Colour `index` (from 0) of the skin's colour table.
    virtual Colour SkinColour(int index) = 0;
    virtual UiFontRequest UiFont() = 0;
    // A text of the language file by its key ("IDS_EFFECT_SEPIA").
    virtual std::wstring LanguageText(const char* key) = 0;
};

}  // namespace vimbrel::ui
