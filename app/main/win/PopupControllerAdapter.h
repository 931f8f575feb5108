// The item popups ask the controller through an interface of their own;
// this object answers it from the program's controller and catalogue.
#pragma once

#include "CCameraController.h"
#include "CControllerCatalog.h"
#include "IPopupController.h"

namespace vimbrel::mainwindow {

class CPopupControllerAdapter final : public ui::IPopupController {
public:
    CPopupControllerAdapter(controller::CCameraController& owner, controller::CControllerCatalog& catalog)
        : owner_(owner), catalog_(catalog) {}
    bool GetSetting(int settingId, int& value) override { return owner_.GetSetting(settingId, &value) != 0; }
    void ApplySetting(int settingId, int value) override { owner_.ApplySetting(settingId, value, 1); }
    bool ItemTitle(int settingId, std::wstring& title) override;
    std::vector<ui::PopupEntry> ItemEntries(int settingId) override;
    int VisibleToEntryIndex(int settingId, int visible) override {
        return catalog_.VisibleToEntryIndex(settingId, visible);
    }
    int EntryToVisibleIndex(int settingId, int entry) override {
        return catalog_.EntryToVisibleIndex(settingId, entry);
    }
    void RefreshDateFormats() override { catalog_.LoadDateFormatNames(controller::kSettingDate); }
    void RelayoutFunctionPanel() override { owner_.RelayoutFunctionPanel(); }
    bool VideoQualityRange(int property, int& minimum, int& maximum) override;
    bool GetVideoQuality(int property, int& value) override {
        return owner_.Engine().GetVideoQuality(property, &value) != 0;
    }
    ui::Colour SkinColour(int index) override;
    ui::UiFontRequest UiFont() override;
    std::wstring LanguageText(const char* key) override;

private:
    controller::CCameraController& owner_;
    controller::CControllerCatalog& catalog_;
};

}  // namespace vimbrel::mainwindow
