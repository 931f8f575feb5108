// The main window's children ask the controller through narrow interfaces
// of their own; these objects answer them from the program's controller,
// its catalogue and the language texts.
#pragma once

#include "CBrowseModeLink.h"
#include "CCameraController.h"
#include "CControllerCatalog.h"
#include "IFunctionPanelController.h"
#include "IOverlayController.h"
#include "IWheelController.h"

namespace vimbrel::mainwindow {

// A text of the language file by its ASCII key; "" for a null key.
std::wstring LanguageTextOf(const char* key);
// Colour `index` of the controller's skin table; black outside it.
ui::Colour SkinColourOf(const controller::CCameraController& owner, int index);
// The controller's interface font as the windows take it.
ui::UiFontRequest UiFontOf(const controller::CCameraController& owner);

class COverlayControllerAdapter final : public ui::IOverlayController {
public:
    COverlayControllerAdapter(controller::CCameraController& owner, CBrowseModeLink& browseMode)
        : owner_(owner), browseMode_(browseMode) {}
    bool CopySettings(ui::OverlaySettings& out) override;
    // The file browse mode shows or plays: its name is on the strip.
    std::wstring CurrentFile() override { return browseMode_.CurrentFile(); }
    ui::Colour SkinColour(int index) override;
    ui::UiFontRequest UiFont() override;
    std::wstring LanguageText(const char* key) override { return LanguageTextOf(key); }

private:
    controller::CCameraController& owner_;
    CBrowseModeLink& browseMode_;
};

class CWheelControllerAdapter final : public ui::IWheelController {
public:
    explicit CWheelControllerAdapter(controller::CCameraController& owner) : owner_(owner) {}
    int QueryLeaveBrowse() override { return owner_.QueryLeaveBrowse(); }
    void SetMode(int mode) override { owner_.SetMode(mode); }
    std::wstring LanguageText(const char* key) override { return LanguageTextOf(key); }
    ui::Colour SkinColour(int index) override;

private:
    controller::CCameraController& owner_;
};

class CFunctionPanelControllerAdapter final : public ui::IFunctionPanelController {
public:
    CFunctionPanelControllerAdapter(controller::CCameraController& owner, controller::CControllerCatalog& catalog)
        : owner_(owner), catalog_(catalog) {}
    std::vector<ui::PanelCatalogItem> CatalogItems() override;
    bool GetSetting(int settingId, int& value) override { return owner_.GetSetting(settingId, &value) != 0; }
    SIZE ItemPictureSize() override;
    std::unique_ptr<Gdiplus::Bitmap> ItemPicture(int settingId, int state) override;
    ui::Colour SkinColour(int index) override;
    std::wstring LanguageText(const char* key) override { return LanguageTextOf(key); }
    void SetItemTitle(int settingId, const std::wstring& title) override;
    // The settings sheet over the controller's engine, settings and
    // devices; the camera's turn is not known without the camera module.
    void ShowAdvancedSettings() override;

private:
    controller::CCameraController& owner_;
    controller::CControllerCatalog& catalog_;
};

}  // namespace vimbrel::mainwindow
