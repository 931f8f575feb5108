#include "ControllerUiAdapters.h"

#include "CAdvancedSettingSheet.h"
#include "CLanguageText.h"
#include "SystemPorts.h"
#include "WideText.h"

namespace vimbrel::mainwindow {
ui::Colour SkinColourOf(const controller::CCameraController& owner, int index) {
    const auto& colours = owner.GetSkinColors();
    if (index < 0 || static_cast<std::size_t>(index) >= colours.size()) return ui::kBlack;
    return colours[static_cast<std::size_t>(index)];
}

ui::UiFontRequest UiFontOf(const controller::CCameraController& owner) {
    const controller::UiFont& font = owner.GetUIFont();
    ui::UiFontRequest request;
    for (char16_t c : font.face) {
        if (c == u'\0') break;
        request.face.push_back(static_cast<wchar_t>(c));
    }
    request.size = font.size;
    request.style = font.style;
    request.unit = font.unit;
    request.alignment = font.alignment;
    return request;
}

std::wstring LanguageTextOf(const char* key) {
    if (key == nullptr) return std::wstring();
    std::wstring wide;
    for (const char* c = key; *c; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return controller::GetLanguageText().GetString(wide.c_str());
}

bool COverlayControllerAdapter::CopySettings(ui::OverlaySettings& out) {
    controller::SettingsBlock block{};
    if (!owner_.CopySettings(&block)) return false;
    out.shootMode = block.shootMode;
    out.flash = block.flash;
    out.timer = block.timer;
    out.contShooting = block.contShooting;
    out.imageWidth = block.imageWidth;
    out.imageHeight = block.imageHeight;
    out.videoWidth = block.videoWidth;
    out.videoHeight = block.videoHeight;
    out.jpgQuality = block.jpgQuality;
    out.asfQuality = block.asfQuality;
    out.wmaQuality = block.wmaQuality;
    out.imageFileType = block.imageFileType;
    out.videoFileType = block.videoFileType;
    out.audioFileType = block.audioFileType;
    out.sensitivity = block.sensitivity;
    out.penSize = block.penSize;
    out.color = block.color;
    out.penType = block.penType;
    return true;
}

ui::Colour COverlayControllerAdapter::SkinColour(int index) { return SkinColourOf(owner_, index); }

ui::UiFontRequest COverlayControllerAdapter::UiFont() { return UiFontOf(owner_); }

ui::Colour CWheelControllerAdapter::SkinColour(int index) { return SkinColourOf(owner_, index); }

std::vector<ui::PanelCatalogItem> CFunctionPanelControllerAdapter::CatalogItems() {
    std::vector<ui::PanelCatalogItem> items;
    for (const controller::CatalogItem* item = catalog_.Items().First(); item != nullptr; item = item->next.get()) {
        items.push_back(ui::PanelCatalogItem{item->SettingId(), item->type, item->ModeMask()});
    }
    return items;
}

SIZE CFunctionPanelControllerAdapter::ItemPictureSize() {
    return SIZE{catalog_.GetItemImageWidth(), catalog_.GetItemImageHeight()};
}

std::unique_ptr<Gdiplus::Bitmap> CFunctionPanelControllerAdapter::ItemPicture(int settingId, int state) {
    std::unique_ptr<Gdiplus::Bitmap> picture;
    if (!catalog_.GetItemImage(settingId, state, &picture)) return nullptr;
    return picture;
}

ui::Colour CFunctionPanelControllerAdapter::SkinColour(int index) { return SkinColourOf(owner_, index); }

void CFunctionPanelControllerAdapter::ShowAdvancedSettings() {
    controller::CControllerSheetPort port(owner_.Engine(), owner_.Settings(), owner_.Devices(), nullptr);
    controller::CLanguageTextStrings texts(controller::GetLanguageText());
    controller::ShowAdvancedSettings(port, texts);
}

void CFunctionPanelControllerAdapter::SetItemTitle(int settingId, const std::wstring& title) {
    controller::CatalogItem* item = nullptr;
    if (catalog_.FindCatalogItem(settingId, &item) && item != nullptr) {
        item->title = CopyToU16(title);
    }
}

}  // namespace vimbrel::mainwindow
