#include "BrowseAdapters.h"

#include "ControllerUiAdapters.h"
#include "WideText.h"

namespace vimbrel::mainwindow {
namespace {

// The tab strip's background is colour 10 of the skin's table.
constexpr std::size_t kStripColourIndex = 10;

void ShowFile(controller::CCameraController& owner, const std::wstring& path, int mediaClass) {
    owner.ShowBrowseFile(CopyToU16(path).c_str(), mediaClass);
}

}  // namespace

COLORREF CBrowseTabsControllerAdapter::StripBackground() {
    const auto& colours = owner_.GetSkinColors();
    return kStripColourIndex < colours.size() ? colours[kStripColourIndex] : RGB(255, 255, 255);
}

std::wstring CBrowseTabsControllerAdapter::TabTipText(const char* key) { return LanguageTextOf(key); }

void CBrowseTabsControllerAdapter::ShowBrowseFile(const std::wstring& path, int mediaClass) {
    ShowFile(owner_, path, mediaClass);
}

void CBrowseControllerAdapter::ShowBrowseFile(const std::wstring& path, int mediaClass) {
    ShowFile(owner_, path, mediaClass);
}

std::wstring CBrowseControllerAdapter::LanguageText(const char* key) { return LanguageTextOf(key); }

}  // namespace vimbrel::mainwindow
