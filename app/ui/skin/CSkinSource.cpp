#include "CSkinSource.h"

#include "AnsiText.h"
#include "WideText.h"

namespace vimbrel::ui {

CSkinSource::CSkinSource(std::wstring source, std::wstring resourceType)
    : source_(std::move(source)), type_(std::move(resourceType)), kind_(SkinSourceKindOf(ViewAsU16(source_.c_str()))) {}

std::unique_ptr<Gdiplus::Bitmap> CSkinSource::LoadSkinImage(const wchar_t* name) const {
    return ui::LoadSkinImage(name, kind_, source_.c_str(), type_.c_str());
}

std::unique_ptr<Gdiplus::Bitmap> CSkinSource::LoadSkinImage(const std::string& name) const {
    if (name.empty()) return nullptr;
    return LoadSkinImage(WidenAnsi(name).c_str());
}

bool CSkinSource::ReadPanelConfig(const wchar_t* configName, PanelSkinConfig& out, SkinConfigRoute* route) const {
    return ReadPanelSkinConfig(kind_, source_.c_str(), configName, type_.c_str(), out, route);
}

bool CSkinSource::ReadDialogConfig(const wchar_t* configName, DialogSkinConfig& out, SkinConfigRoute* route) const {
    return ReadDialogSkinConfig(kind_, source_.c_str(), configName, type_.c_str(), out, route);
}

}  // namespace vimbrel::ui
