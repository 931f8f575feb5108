#pragma once
// A list of picture sizes the camera offers, kept sorted by width, each
// with the engine's format index that first gave it.

#include <array>

namespace vimbrel::controller {

struct ResolutionEntry {
    int formatIndex = 0;
    int width = 0;
    int height = 0;
};

class CResolutionList {
public:
    // Room for 30, of which 29 are used: the 30th size is dropped.
    static constexpr int kStorage = 30;
    static constexpr int kMaxEntries = kStorage - 1;

    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    // Inserts after every entry of equal or smaller width; 0 for a negative
    // argument or a full list. Does not look for duplicates (see Has).
    int Add(int formatIndex, int width, int height);
    bool Has(int width, int height) const;
    // Null outside 0..Count()-1.
    const ResolutionEntry* At(int index) const;
    // The first entry of that width; -1 when there is none.
    int FirstIndexOfWidth(int width) const;

private:
    std::array<ResolutionEntry, kStorage> entries_{};
    int count_ = 0;
};

}  // namespace vimbrel::controller
