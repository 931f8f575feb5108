#include "MediaSelection.h"

#include "MediaFileClass.h"

namespace vimbrel::controller {

std::optional<std::vector<std::u16string>> CollectSelectedFiles(IMediaSelection* selection) {
    if (!selection) return std::nullopt;
    int count = -1;
    std::u16string path;
    int kind = kBrowseNone;
    if (!selection->GetSelectedFile(count, path, kind) || count < 0) return std::nullopt;

    std::vector<std::u16string> paths;
    for (int i = 0; i < count; ++i) {
        int index = i;
        path.clear();
        if (selection->GetSelectedFile(index, path, kind) && !path.empty()) paths.push_back(path);
    }
    return paths;
}

CopyDialogSetup CopyDialogFor(std::u16string_view path) {
    std::u16string extension(MediaFileClassExtension(GetMediaFileClass(path)));
    std::u16string pattern = u"*." + extension;
    return CopyDialogSetup{pattern + u'|' + pattern + u"||", extension};
}

}  // namespace vimbrel::controller
