#include "BrowserSelection.h"

#include "MediaNames.h"
#include "ThumbList.h"

#include <algorithm>

namespace vimbrel::browser {

std::u16string_view EntryNames::NameAt(int item) const {
    if (item < 0 || static_cast<size_t>(item) >= entries_.size()) return {};
    return entries_[static_cast<size_t>(item)].name;
}

int EntryNames::IndexOf(std::u16string_view name) const {
    // Descending order: the first entry that does not compare above the name.
    const auto at = std::lower_bound(
        entries_.begin(), entries_.end(), name,
        [](const ThumbEntry& e, std::u16string_view n) { return CompareNames(e.name, n) > 0; });
    if (at != entries_.end() && at->name == name) return static_cast<int>(at - entries_.begin());
    const long found = FindByName(entries_, name);
    return static_cast<int>(found);
}

void BrowserSelection::Reset(const ItemNames& list) {
    names_.clear();
    if (list.Count() > 0) names_.emplace_back(list.NameAt(0));
}

std::u16string_view BrowserSelection::CurrentName() const {
    if (names_.empty()) return {};
    return names_.front();
}

int BrowserSelection::Current(const ItemNames& list) const {
    return names_.empty() ? -1 : list.IndexOf(names_.front());
}

std::vector<int> BrowserSelection::Items(const ItemNames& list) const {
    std::vector<int> items;
    for (const std::u16string& name : names_) {
        const int item = list.IndexOf(name);
        if (item >= 0) items.push_back(item);
    }
    return items;
}

bool BrowserSelection::Contains(std::u16string_view name) const {
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

bool BrowserSelection::IsOnlySelection(std::u16string_view name) const {
    return names_.size() == 1 && names_.front() == name;
}

void BrowserSelection::SelectOnly(std::u16string_view name) { names_.assign(1, std::u16string(name)); }

bool BrowserSelection::Toggle(int item, const ItemNames& list) {
    const int count = list.Count();
    if (item < 0 || item >= count) return false;
    const std::u16string_view name = list.NameAt(item);
    const auto at = std::find(names_.begin(), names_.end(), name);
    if (at == names_.end()) {
        if (names_.size() >= kMaxSelected) return false;
        names_.emplace_back(name);
        return true;
    }
    if (count <= 1) return false;
    if (names_.size() == 1) {
        // Taking away the only selected item would leave no current file;
        // it stays selected, as a one-item folder's item does.
        return false;
    }
    names_.erase(at);
    return true;
}

bool BrowserSelection::SelectRange(int item, const ItemNames& list) {
    if (item < 0 || item >= list.Count()) return false;
    const int current = Current(list);
    const int anchor = current < 0 ? item : current;
    const int low = std::min(anchor, item);
    const int high = std::max(anchor, item);
    std::vector<std::u16string> range;
    for (int i = low; i <= high && range.size() < kMaxSelected; ++i) range.emplace_back(list.NameAt(i));
    if (range == names_) return false;
    names_ = std::move(range);
    return true;
}

void BrowserSelection::Follow(const ItemNames& list, std::u16string_view fallback) {
    names_.erase(std::remove_if(names_.begin(), names_.end(),
                                [&](const std::u16string& name) { return list.IndexOf(name) < 0; }),
                 names_.end());
    if (!names_.empty() || list.Count() <= 0) return;
    if (!fallback.empty() && list.IndexOf(fallback) >= 0) {
        names_.emplace_back(fallback);
    } else {
        names_.emplace_back(list.NameAt(0));
    }
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
