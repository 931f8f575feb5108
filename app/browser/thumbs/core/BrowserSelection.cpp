#include "BrowserSelection.h"

#include "MediaNames.h"

#include <algorithm>

namespace vimbrel::browser {

void BrowserSelection::Reset(int items) {
    items_.clear();
    if (items > 0) items_.push_back(0);
}

bool BrowserSelection::Contains(int item) const {
    return std::find(items_.begin(), items_.end(), item) != items_.end();
}

void BrowserSelection::SelectOnly(int item) { items_.assign(1, item); }

bool BrowserSelection::Toggle(int item, int itemCount) {
    if (item < 0 || item >= itemCount) return false;
    const auto at = std::find(items_.begin(), items_.end(), item);
    if (at == items_.end()) {
        if (items_.size() >= kMaxSelected) return false;
        items_.push_back(item);
        return true;
    }
    if (itemCount <= 1) return false;
    if (items_.size() == 1) {
        // Taking away the only selected item would leave no current file;
        // it stays selected, as a one-item folder's item does.
        return false;
    }
    items_.erase(at);
    return true;
}

bool BrowserSelection::SelectRange(int item, int itemCount) {
    if (item < 0 || item >= itemCount) return false;
    const int anchor = items_.empty() ? item : items_.front();
    const int low = std::min(anchor, item);
    const int high = std::max(anchor, item);
    std::vector<int> range;
    for (int i = low; i <= high && range.size() < kMaxSelected; ++i) range.push_back(i);
    if (range == items_) return false;
    items_ = std::move(range);
    return true;
}

void BrowserSelection::DropBeyond(int itemCount) {
    items_.erase(std::remove_if(items_.begin(), items_.end(), [&](int i) { return i >= itemCount; }), items_.end());
    if (items_.empty() && itemCount > 0) items_.push_back(0);
}

int NavigateTarget(int direction, int current, int itemCount) {
    if (itemCount <= 0) return -1;
    if (current < 0) current = 0;
    switch (direction) {
    case 0: return 0;
    case 1: return std::max(current - 1, 0);
    case 2: return std::min(current + 1, itemCount - 1);
    case 3: return itemCount - 1;
    default: return -1;
    }
}

MenuState ContextMenuState(int itemCount, size_t selected, int currentClass) {
    MenuState m;
    if (itemCount <= 0) return m;
    for (bool& e : m.enabled) e = true;
    if (selected == 1) {
        const bool picture = currentClass == kPicture;
        m.enabled[3] = picture;
        m.enabled[4] = picture;
    } else if (selected > 1) {
        m.enabled[1] = false;
        m.enabled[3] = false;
        m.enabled[4] = false;
    }
    return m;
}

}  // namespace vimbrel::browser
