#include "SkinSource.h"

namespace vimbrel::ui {

SkinSourceKind SkinSourceKindOf(std::u16string_view source) {
    if (source.empty()) return SkinSourceKind::OwnResources;
    std::u16string lower(source);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower.find(u".dll") != std::u16string::npos ? SkinSourceKind::Library : SkinSourceKind::Folder;
}

bool JoinSkinPath(std::u16string_view folder, std::u16string_view name, std::u16string& out) {
    if (folder.size() + 1 + name.size() > kMaxSkinFilePath) return false;
    out.assign(folder);
    out += u'\\';
    out += name;
    return true;
}

std::u16string TemporaryConfigPath(unsigned windowsMajorVersion, std::u16string_view commonAppData) {
    if (windowsMajorVersion <= 5) return u"config.txt";
    if (commonAppData.empty()) return std::u16string();
    std::u16string path(commonAppData);
    if (path.back() == u'\\') path.pop_back();
    path += u"\\Zavu\\Vimbrel2\\config.txt";
    return path;
}

}  // namespace vimbrel::ui
