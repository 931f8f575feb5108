// Folder listing for the slide list on Windows: the process changes into
// the folder, and the names come from a "*.*" search there.
#pragma once

#include "SlideList.h"

namespace slideshow {

class CWinFolderLister : public IFolderLister {
public:
    bool Enter(const std::u16string& folder) override;
    bool List(std::vector<FolderEntry>& entries) override;
};

}  // namespace slideshow
