#include "CTabsBrowsePort.h"

#include <string>

#include "CBrowseTabs.h"

namespace vimbrel::controller {

bool CTabsBrowsePort::GetCurrentFile(std::u16string* path, int* mediaClass) {
    if (!tabs_ || !path || !mediaClass) return false;
    std::wstring current;
    int currentClass = -1;
    // A browser without items answers 0: shown as no current file.
    if (!tabs_->GetCurrentFile(&current, &currentClass)) {
        current.clear();
        currentClass = -1;
    }
    path->assign(current.begin(), current.end());
    *mediaClass = currentClass;
    return true;
}

bool CTabsBrowsePort::Navigate(int direction) {
    if (!tabs_) return false;
    int moved = 0;
    return tabs_->Navigate(direction, &moved) == 1 && moved != 0;
}

}  // namespace vimbrel::controller
