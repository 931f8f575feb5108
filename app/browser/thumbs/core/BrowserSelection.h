// The thumbnail browser's selection: up to 1000 item indices, each at most
// once; entry 0 is the current item, the anchor of range selections and the
// file the controller shows.
#pragma once

#include <cstddef>
#include <vector>

namespace vimbrel::browser {

constexpr size_t kMaxSelected = 1000;

class BrowserSelection {
public:
    // Item 0 alone when there are items, else nothing.
    void Reset(int items);

    const std::vector<int>& Items() const { return items_; }
    size_t Count() const { return items_.size(); }
    // The current item, or -1 when nothing is selected.
    int Current() const { return items_.empty() ? -1 : items_.front(); }
    bool Contains(int item) const;
    bool IsOnlySelection(int item) const { return items_.size() == 1 && items_.front() == item; }

    void SelectOnly(int item);

    // Ctrl-click. Adds an unselected item (refused past the last item or at
    // 1000 selected); removes a selected one, unless the folder holds a
    // single item. When the last one goes the clicked item becomes the
    // anchor again, so the selection is never left empty by a click.
    // Returns true when the selection changed.
    bool Toggle(int item, int itemCount);

    // Shift-click: every item from min(anchor, i) to max(anchor, i) in
    // ascending order, at most 1000 of them. A click past the last item is
    // ignored. Returns true when the selection changed.
    bool SelectRange(int item, int itemCount);

    // After the list shrank: indices past its end are dropped; item 0 is
    // selected when none is left and there are items.
    void DropBeyond(int itemCount);

private:
    std::vector<int> items_;
};

// Navigation: 0 first, 1 previous, 2 next, 3 last. -1 for another direction
// or an empty list.
int NavigateTarget(int direction, int current, int itemCount);

// Context menu items 1..5 (delete, copy to, e-mail, print, set as desktop).
struct MenuState {
    bool enabled[5] = {false, false, false, false, false};
};
MenuState ContextMenuState(int itemCount, size_t selected, int currentClass);

}  // namespace vimbrel::browser
