#include "PopupControllerAdapter.h"

#include "ControllerUiAdapters.h"
#include "WideText.h"

namespace vimbrel::mainwindow {

bool CPopupControllerAdapter::ItemTitle(int settingId, std::wstring& title) {
    controller::CatalogItem* item = nullptr;
    if (!catalog_.FindCatalogItem(settingId, &item) || item == nullptr) return false;
    title = CopyToWide(item->title);
    return true;
}

std::vector<ui::PopupEntry> CPopupControllerAdapter::ItemEntries(int settingId) {
    std::vector<ui::PopupEntry> entries;
    controller::CatalogEntry* entry = nullptr;
    if (!catalog_.GetCatalogEntries(settingId, &entry)) return entries;
    for (; entry != nullptr; entry = entry->next.get()) {
        entries.push_back(ui::PopupEntry{CopyToWide(entry->text), entry->enabled != 0});
    }
    return entries;
}

bool CPopupControllerAdapter::VideoQualityRange(int property, int& minimum, int& maximum) {
    int defaultValue = 0;
    return owner_.Engine().GetVideoQualityRange(property, &minimum, &maximum, &defaultValue) != 0;
}

ui::Colour CPopupControllerAdapter::SkinColour(int index) { return SkinColourOf(owner_, index); }

ui::UiFontRequest CPopupControllerAdapter::UiFont() { return UiFontOf(owner_); }

std::wstring CPopupControllerAdapter::LanguageText(const char* key) { return LanguageTextOf(key); }

}  // namespace vimbrel::mainwindow
