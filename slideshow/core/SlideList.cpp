#include "SlideList.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace slideshow {

int CSlideList::Reset() {
    std::lock_guard<std::mutex> guard(lock_);
    names_.clear();
    names_.shrink_to_fit();
    cursor_ = kUnset;
    return 1;
}

int CSlideList::Append(const std::u16string& name) {
    // A name the 260-unit buffers cannot carry would be cut short and open
    // some other file, so it is refused rather than truncated.
    if (name.empty() || name.size() > kMaxNameUnits) return 0;
    std::lock_guard<std::mutex> guard(lock_);
    try {
        names_.push_back(name);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CSlideList::Build(const std::u16string& folder, IFolderLister& lister) {
    if (!lister.Enter(folder)) return 0;
    std::vector<FolderEntry> entries;
    if (!lister.List(entries)) return 0;
    for (const FolderEntry& entry : entries) {
        if (entry.isDirectory || entry.isSystem) continue;
        if (entry.name == u"." || entry.name == u"..") continue;
        Append(entry.name);
    }
    return Count() != 0 ? 1 : 0;
}

std::size_t CSlideList::CurrentIndexLocked() const { return cursor_ == kUnset ? 0 : static_cast<std::size_t>(cursor_); }

int CSlideList::First(std::u16string& out) {
    std::lock_guard<std::mutex> guard(lock_);
    // Reachable after the player has freed the list: a refusal, not a crash.
    if (names_.empty()) return 0;
    cursor_ = 0;
    out = names_.front();
    return 1;
}

int CSlideList::Last(std::u16string& out) {
    std::lock_guard<std::mutex> guard(lock_);
    if (names_.empty()) return 0;
    cursor_ = static_cast<std::ptrdiff_t>(names_.size() - 1);
    out = names_.back();
    return 1;
}

int CSlideList::Next(std::u16string& out) {
    std::lock_guard<std::mutex> guard(lock_);
    if (names_.empty()) return 0;
    std::ptrdiff_t next = cursor_ == kUnset ? 0 : cursor_ + 1;
    if (next >= static_cast<std::ptrdiff_t>(names_.size())) return 0;
    cursor_ = next;
    out = names_[static_cast<std::size_t>(next)];
    return 1;
}

int CSlideList::Previous(std::u16string& out) {
    std::lock_guard<std::mutex> guard(lock_);
    if (names_.empty() || cursor_ == kUnset || cursor_ == 0) return 0;
    --cursor_;
    out = names_[static_cast<std::size_t>(cursor_)];
    return 1;
}

int CSlideList::Current(std::u16string& out) {
    std::lock_guard<std::mutex> guard(lock_);
    if (names_.empty()) return 0;
    cursor_ = static_cast<std::ptrdiff_t>(CurrentIndexLocked());
    out = names_[static_cast<std::size_t>(cursor_)];
    return 1;
}

int CSlideList::Neighbours(bool* hasPrevious, bool* hasNext) {
    if (!hasPrevious || !hasNext) return 0;
    std::lock_guard<std::mutex> guard(lock_);
    *hasPrevious = !names_.empty() && cursor_ != 0;
    *hasNext = cursor_ != kUnset && static_cast<std::size_t>(cursor_) + 1 < names_.size();
    return 1;
}

int CSlideList::Window(std::u16string& current, std::u16string& previous, std::u16string& beforePrevious) {
    std::lock_guard<std::mutex> guard(lock_);
    current.clear();
    previous.clear();
    beforePrevious.clear();
    if (names_.empty()) return 0;
    std::size_t at = CurrentIndexLocked();
    current = names_[at];
    if (at == 0) return 0;
    previous = names_[at - 1];
    if (at >= 2) beforePrevious = names_[at - 2];
    return 1;
}

int CSlideList::Count() {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<int>(names_.size());
}

int CSlideList::Sort() {
    std::lock_guard<std::mutex> guard(lock_);
    if (names_.size() < 2) return 1;
    // Sort positions rather than names, so the cursor can follow its own
    // entry even when two entries carry the same name.
    std::vector<std::size_t> order(names_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // std::u16string compares code unit by code unit: ordinal and
    // case-sensitive. Stable, as swapping only strictly smaller neighbours is.
    std::stable_sort(order.begin(), order.end(),
                     [this](std::size_t a, std::size_t b) { return names_[b] < names_[a]; });
    std::vector<std::u16string> sorted;
    sorted.reserve(names_.size());
    std::ptrdiff_t cursor = kUnset;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (cursor_ != kUnset && order[i] == static_cast<std::size_t>(cursor_)) {
            cursor = static_cast<std::ptrdiff_t>(i);
        }
        sorted.push_back(std::move(names_[order[i]]));
    }
    names_ = std::move(sorted);
    cursor_ = cursor;
    return 1;
}

int CSlideList::Free() { return Reset(); }

CSlideList& SharedSlideList() {
    static CSlideList list;
    return list;
}

}  // namespace slideshow
