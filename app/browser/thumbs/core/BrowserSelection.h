// The thumbnail browser's selection: up to 1000 files of its list, each at
// most once; entry 0 is the current item (the anchor of range selections
// and the file the controller shows). The selection holds the files' names,
// not their places: the list changes under it whenever the folder does (a
// capture, a copy, a sync tool), and what the user chose must stay chosen.
#pragma once

#include "ThumbEntry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vimbrel::browser {

constexpr size_t kMaxSelected = 1000;

// The browser's list as the selection reads it: names by position.
class ItemNames {
public:
    virtual ~ItemNames() = default;
    virtual int Count() const = 0;
    // The name at a position; empty outside the list.
    virtual std::u16string_view NameAt(int item) const = 0;
    // The position of a name, or -1 when the list does not hold it.
    virtual int IndexOf(std::u16string_view name) const = 0;
};

// A cache's entries as ItemNames. The list runs in descending name order, so
// a name is found by halving; an entry out of that order is still found.
class EntryNames final : public ItemNames {
public:
    explicit EntryNames(const std::vector<ThumbEntry>& entries) : entries_(entries) {}
    int Count() const override { return static_cast<int>(entries_.size()); }
    std::u16string_view NameAt(int item) const override;
    int IndexOf(std::u16string_view name) const override;

private:
    const std::vector<ThumbEntry>& entries_;
};

class BrowserSelection {
public:
    // The first item alone when there are items, else nothing.
    void Reset(const ItemNames& list);

    const std::vector<std::u16string>& Names() const { return names_; }
    size_t Count() const { return names_.size(); }
    // The current item's name; empty when nothing is selected.
    std::u16string_view CurrentName() const;
    // The current item's position, or -1 (nothing selected, or its file is
    // no longer listed).
    int Current(const ItemNames& list) const;
    // The listed positions of the selection, in selection order.
    std::vector<int> Items(const ItemNames& list) const;
    bool Contains(std::u16string_view name) const;
    bool IsOnlySelection(std::u16string_view name) const;

    void SelectOnly(std::u16string_view name);

    // Ctrl-click on a position. Adds an unselected item (refused past the
    // last item or at 1000 selected); removes a selected one, unless the
    // folder holds a single item or it is the last one selected, so a click
    // never leaves the selection empty. True when the selection changed.
    bool Toggle(int item, const ItemNames& list);

    // Shift-click: every item from min(anchor, i) to max(anchor, i) in
    // ascending order, at most 1000 of them. A click past the last item is
    // ignored; without a listed anchor the range starts at the click.
    // True when the selection changed.
    bool SelectRange(int item, const ItemNames& list);

    // After the list changed: files it no longer holds drop out. When none
    // is left and the list has items, `fallback` becomes the selection if
    // the list holds it, else the first item.
    void Follow(const ItemNames& list, std::u16string_view fallback);

private:
    std::vector<std::u16string> names_;
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
