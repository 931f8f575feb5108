#pragma once
// The controller's feature catalogue with its setting texts, button tips
// and item pictures. The camera controller owns one and answers its
// catalogue operations through it; GDI+ must be running while the item
// pictures are loaded, used and freed.

#include <windows.h>
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

#include "ControllerPorts.h"
#include "FeatureCatalog.h"
#include "ItemPictures.h"
#include "SettingTexts.h"

namespace vimbrel::controller {

class CControllerCatalog {
public:
    // language and clock are used, not owned: they outlive the catalogue.
    CControllerCatalog(const ILanguageStrings& language, const ILocalClock& clock);
    ~CControllerCatalog();
    CControllerCatalog(const CControllerCatalog&) = delete;
    CControllerCatalog& operator=(const CControllerCatalog&) = delete;

    // Writes the resource "functions.stg" (type TOLVEX) of module to the
    // data root, parses it and deletes it; 0 when module has no catalogue.
    int LoadCatalog(HMODULE module = nullptr);
    // Where LoadCatalog writes the catalogue for reading; empty when the
    // data root cannot be told.
    static std::wstring CatalogFilePath();

    int GetCatalog(CatalogItem** first);
    int FindCatalogItem(int settingId, CatalogItem** item);
    int FindCatalogItemNode(int settingId, CatalogItem** item);
    int GetCatalogEntries(int settingId, CatalogEntry** first);
    int CountEnabledEntries(int settingId) const;
    int AddCatalogItem(int key, int order, const wchar_t* title, int type, int minimum, int maximum);
    int AddCatalogEntry(int key, const wchar_t* text);
    int RemoveCatalogItem(int settingId);
    int LoadDateFormatNames(int settingId);
    int VisibleToEntryIndex(int settingId, int n) const;
    int EntryToVisibleIndex(int settingId, int k) const;
    void FreeCatalog();
    // The items themselves, for the code that fills the resolution and
    // bitrate lists from the engine.
    CFeatureCatalog& Items() { return catalog_; }

    std::wstring GetSettingText(const wchar_t* word) const;
    std::wstring GetButtonTip(COLORREF key) const;

    // The three strips from the program's resources; 1 when all loaded.
    int LoadItemImages();
    int GetItemImageWidth() const { return kItemImageWidth; }
    int GetItemImageHeight() const { return kItemImageHeight; }
    int ItemImageIndex(int settingId) const { return controller::ItemImageIndex(settingId); }
    // A new 20 x 20 bitmap of the setting's cell in the strip of state
    // (0 normal, 1 hover, 2 disabled). Another state answers 1 with no
    // bitmap; a missing strip or a failed copy answers 0.
    int GetItemImage(int settingId, int state, std::unique_ptr<Gdiplus::Bitmap>* image) const;
    void FreeItemImages();

private:
    const ILanguageStrings& language_;
    CSettingTexts settingTexts_;
    CFeatureCatalog catalog_;
    std::array<std::unique_ptr<Gdiplus::Bitmap>, kItemImageStateCount> strips_;
};

}  // namespace vimbrel::controller
