#pragma once
// Browse mode's questions to the real media tab strip, handed over by the
// main dialog once the strip exists.

#include "BrowsePorts.h"

namespace vimbrel::browser {
class CBrowseTabs;
}

namespace vimbrel::controller {

class CTabsBrowsePort final : public IBrowseTabsPort {
public:
    void SetTabs(browser::CBrowseTabs* tabs) { tabs_ = tabs; }
    bool GetCurrentFile(std::u16string* path, int* mediaClass) override;
    bool Navigate(int direction) override;

private:
    browser::CBrowseTabs* tabs_ = nullptr;
};

}  // namespace vimbrel::controller
