// What the function panel and its item buttons need of the controller:
// the catalogue's items, the file-type settings that decide which buttons
// show, the item pictures, colours and texts, and the settings sheet.
#pragma once

#include "SkinTypes.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

namespace vimbrel::ui {

// Item types of the catalogue.
enum ItemType : int {
    kItemTypeList = 0,
    kItemTypeSlider = 1,
    kItemTypeImage = 2,
    kItemTypeColour = 3,
    kItemTypeButton = 4,
};
constexpr int kItemPopupKinds = 4;

struct PanelCatalogItem {
    int settingId = 0;  // low 16 bits of the item's key
    int type = kItemTypeList;
    int modeMask = 0;  // bit m: shown in ModeId m
};

// Picture states of an item.
enum ItemPictureState : int { kItemPictureNormal = 0, kItemPictureHover = 1, kItemPictureDisabled = 2 };

class IFunctionPanelController {
public:
    virtual ~IFunctionPanelController() = default;
    // The catalogue's items in catalogue order; empty when there are none.
    virtual std::vector<PanelCatalogItem> CatalogItems() = 0;
    // The get-setting operation; false when the value cannot be read.
    virtual bool GetSetting(int settingId, int& value) = 0;
    // The size of one item picture (20 x 20).
    virtual SIZE ItemPictureSize() = 0;
    // One of an item's pictures; null when it cannot be had.
    virtual std::unique_ptr<Gdiplus::Bitmap> ItemPicture(int settingId, int state) = 0;
    // Colour `index` (from 0) of the skin's colour table.
    virtual Colour SkinColour(int index) = 0;
    // A text of the language file by its key ("IDS_DLG_ADVSETTING").
    virtual std::wstring LanguageText(const char* key) = 0;
    // Gives the catalogue item of `settingId` a new title (its popup shows it).
    virtual void SetItemTitle(int settingId, const std::wstring& title) = 0;
    // Runs the settings sheet; returns when it closes.
    virtual void ShowAdvancedSettings() = 0;
};

}  // namespace vimbrel::ui
