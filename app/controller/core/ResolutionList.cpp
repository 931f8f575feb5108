#include "ResolutionList.h"

namespace vimbrel::controller {

int CResolutionList::Add(int formatIndex, int width, int height) {
    if (formatIndex < 0 || width < 0 || height < 0 || count_ >= kMaxEntries) return 0;
    int position = 0;
    while (position < count_ && entries_[position].width <= width) ++position;
    for (int i = count_; i > position; --i) entries_[i] = entries_[i - 1];
    entries_[position] = ResolutionEntry{formatIndex, width, height};
    ++count_;
    return 1;
}

bool CResolutionList::Has(int width, int height) const {
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].width == width && entries_[i].height == height) return true;
    }
    return false;
}

const ResolutionEntry* CResolutionList::At(int index) const {
    return index >= 0 && index < count_ ? &entries_[index] : nullptr;
}

int CResolutionList::FirstIndexOfWidth(int width) const {
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].width == width) return i;
    }
    return -1;
}

}  // namespace vimbrel::controller
