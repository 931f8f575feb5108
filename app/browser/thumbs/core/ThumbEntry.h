// One file of a thumbnail cache: its name, how it is browsed, and what is
// known of its thumbnail. The same fields make one record of the index file.
#pragma once

#include <cstdint>
#include <string>

namespace vimbrel::browser {

constexpr int kThumbWidth = 100;
constexpr int kThumbHeight = 75;
// Names are stored in 260 UTF-16 code units with a terminating NUL.
constexpr size_t kNameUnits = 260;
constexpr size_t kMaxNameLength = kNameUnits - 1;

struct ThumbEntry {
    std::u16string name;
    int32_t mediaClass = -1;
    int32_t fileType = -1;
    int32_t made = 0;         // 1 once a cell holds its thumbnail
    int32_t sourceWidth = 0;  // pictures only
    int32_t sourceHeight = 0;
    int32_t thumbWidth = 0;   // 1..100 once made
    int32_t thumbHeight = 0;  // 1..75 once made
    // In memory only, never stored: the cache's cell that holds the
    // thumbnail (-1 none). A made entry always has one.
    long cell = -1;

    // A new entry: all zero but for name, class and type from the name.
    static ThumbEntry ForName(std::u16string name);
    bool HasThumb() const { return made != 0 && thumbWidth > 0 && thumbHeight > 0; }
};

}  // namespace vimbrel::browser
