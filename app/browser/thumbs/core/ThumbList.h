// The order of a cache's list and the rules that compare and merge lists.
#pragma once

#include "ThumbEntry.h"

#include <string_view>
#include <vector>

namespace vimbrel::browser {

// Ordinal comparison by UTF-16 code unit, case-sensitive.
int CompareNames(std::u16string_view a, std::u16string_view b);

// Puts a new entry before the first one whose name compares lower, so the
// list runs in descending name order (capture names carry date and
// counter: the newest file comes first). Returns its index.
size_t InsertByName(std::vector<ThumbEntry>& list, ThumbEntry entry);

// The entries of a folder listing: media names only, in list order.
std::vector<ThumbEntry> ListFromNames(const std::vector<std::u16string>& names);

// True when both lists hold the same names in the same order.
bool SameNames(const std::vector<ThumbEntry>& a, const std::vector<ThumbEntry>& b);

// For each entry of `fresh`, the index in `old` of the entry with exactly
// the same name, or -1. Entries with a namesake take over its thumbnail
// state (made flag, source and thumbnail sizes); the caller copies cells.
std::vector<long> CarryOverThumbs(const std::vector<ThumbEntry>& old, std::vector<ThumbEntry>& fresh);

// Index of the entry named `name`, or -1.
long FindByName(const std::vector<ThumbEntry>& list, std::u16string_view name);

}  // namespace vimbrel::browser
