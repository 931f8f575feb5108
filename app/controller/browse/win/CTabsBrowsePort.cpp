#include "CTabsBrowsePort.h"

#include <string>

#include "CBrowseTabs.h"

namespace vimbrel::controller {

bool CTabsBrowsePort::GetCurrentFile(std::u16string* path, int* mediaClass) {
    if (!m_tabs || !path || !mediaClass) return false;
    std::wstring current;
    int currentClass = -1;
    // A browser without items answers 0: shown as no current file.
    if (!m_tabs->GetCurrentFile(&current, &currentClass)) {
        current.clear();
        currentClass = -1;
    }
    path->assign(current.begin(), current.end());
    *mediaClass = currentClass;
    return true;
}

bool CTabsBrowsePort::Navigate(int direction) {
    if (!m_tabs) return false;
    int moved = 0;
    return m_tabs->Navigate(direction, &moved) == 1 && moved != 0;
}

}  // namespace vimbrel::controller
