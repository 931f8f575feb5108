// One skinned window's source of images and configuration: the source
// string, its kind and the window's resource type, so the window can ask
// for images and its configuration by name alone.
#pragma once

#include "SkinConfigReader.h"
#include "SkinImageLoader.h"

#include <string>

namespace vimbrel::ui {

class CSkinSource {
public:
    CSkinSource() = default;
    // An empty source means the program's own resources.
    CSkinSource(std::wstring source, std::wstring resourceType);

    SkinSourceKind Kind() const { return kind_; }
    const std::wstring& Source() const { return source_; }
    const std::wstring& ResourceType() const { return type_; }

    std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const wchar_t* name) const;
    // Image names as they stand in a configuration text.
    std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const std::string& name) const;

    bool ReadPanelConfig(const wchar_t* configName, PanelSkinConfig& out, SkinConfigRoute* route = nullptr) const;
    bool ReadDialogConfig(const wchar_t* configName, DialogSkinConfig& out, SkinConfigRoute* route = nullptr) const;

private:
    std::wstring source_;
    std::wstring type_;
    SkinSourceKind kind_ = SkinSourceKind::OwnResources;
};

}  // namespace vimbrel::ui
