#include "ThumbList.h"

#include "MediaNames.h"

#include <algorithm>
#include <unordered_map>

namespace vimbrel::browser {

int CompareNames(std::u16string_view a, std::u16string_view b) {
    // std::u16string_view compares char16_t as unsigned code units.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

size_t InsertByName(std::vector<ThumbEntry>& list, ThumbEntry entry) {
    size_t at = 0;
    while (at < list.size() && CompareNames(list[at].name, entry.name) >= 0) ++at;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return at;
}

std::vector<ThumbEntry> ListFromNames(const std::vector<std::u16string>& names) {
    std::vector<ThumbEntry> list;
    list.reserve(names.size());
    for (const std::u16string& name : names) {
        if (name.empty() || name.size() > kMaxNameLength || !IsListedMediaName(name)) continue;
        list.push_back(ThumbEntry::ForName(name));
    }
    // One sort, not an insertion per name: a monitor folder holds tens of
    // thousands of pictures. Names in one folder differ, so the order is the
    // one insertion by name gives.
    std::sort(list.begin(), list.end(),
              [](const ThumbEntry& a, const ThumbEntry& b) { return CompareNames(a.name, b.name) > 0; });
    return list;
}

bool SameNames(const std::vector<ThumbEntry>& a, const std::vector<ThumbEntry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name) return false;
    }
    return true;
}

std::vector<long> CarryOverThumbs(const std::vector<ThumbEntry>& old, std::vector<ThumbEntry>& fresh) {
    std::unordered_map<std::u16string, long> byName;
    for (size_t i = 0; i < old.size(); ++i) byName.emplace(old[i].name, static_cast<long>(i));
    std::vector<long> from(fresh.size(), -1);
    for (size_t i = 0; i < fresh.size(); ++i) {
        const auto it = byName.find(fresh[i].name);
        if (it == byName.end()) continue;
        const ThumbEntry& was = old[static_cast<size_t>(it->second)];
        from[i] = it->second;
        fresh[i].made = was.made;
        fresh[i].sourceWidth = was.sourceWidth;
        fresh[i].sourceHeight = was.sourceHeight;
        fresh[i].thumbWidth = was.thumbWidth;
        fresh[i].thumbHeight = was.thumbHeight;
    }
    return from;
}

long FindByName(const std::vector<ThumbEntry>& list, std::u16string_view name) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].name == name) return static_cast<long>(i);
    }
    return -1;
}

}  // namespace vimbrel::browser
