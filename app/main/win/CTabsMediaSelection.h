// The selection of the browser the media tab strip shows, as the file
// actions read it: the current file for copy, print and wallpaper, every
// selected file for mail. Owned beside the strip; before the strip exists
// (or once it is gone) there is nothing selected.
#pragma once

#include "MediaSelection.h"

namespace vimbrel::browser {
class CBrowseTabs;
}

namespace vimbrel::mainwindow {

class CTabsMediaSelection final : public controller::IMediaSelection {
public:
    // tabs: used, not owned; null when there is no strip.
    void SetTabs(browser::CBrowseTabs* tabs) { tabs_ = tabs; }

    bool GetCurrentFile(std::u16string& path, int& kind) override;
    bool GetSelectedFile(int& index, std::u16string& path, int& kind) override;

private:
    browser::CBrowseTabs* tabs_ = nullptr;
};

}  // namespace vimbrel::mainwindow
