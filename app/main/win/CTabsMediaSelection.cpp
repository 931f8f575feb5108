#include "CTabsMediaSelection.h"

#include "CBrowseTabs.h"
#include "WideText.h"

namespace vimbrel::mainwindow {
bool CTabsMediaSelection::GetCurrentFile(std::u16string& path, int& kind) {
    if (!tabs_) return false;
    std::wstring current;
    int currentKind = controller::kBrowseNone;
    if (!tabs_->GetCurrentFile(&current, &currentKind)) return false;
    path = CopyToU16(current);
    kind = currentKind;
    return true;
}

bool CTabsMediaSelection::GetSelectedFile(int& index, std::u16string& path, int& kind) {
    if (!tabs_) return false;
    int asked = index;
    std::wstring selected;
    int selectedKind = controller::kBrowseNone;
    if (!tabs_->GetSelectedFile(&asked, &selected, &selectedKind)) return false;
    // Index -1 asks for the count, which comes back in the index; the
    // path and kind mean nothing then.
    index = asked;
    path = CopyToU16(selected);
    kind = selectedKind;
    return true;
}

}  // namespace vimbrel::mainwindow
