#include "ResolutionList.h"

namespace vimbrel::controller {

int CResolutionList::Add(int formatIndex, int width, int height) {
    if (formatIndex < 0 || width < 0 || height < 0 || m_count >= kMaxEntries) return 0;
    int position = 0;
    while (position < m_count && m_entries[position].width <= width) ++position;
    for (int i = m_count; i > position; --i) m_entries[i] = m_entries[i - 1];
    m_entries[position] = ResolutionEntry{formatIndex, width, height};
    ++m_count;
    return 1;
}

bool CResolutionList::Has(int width, int height) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].width == width && m_entries[i].height == height) return true;
    }
    return false;
}

const ResolutionEntry* CResolutionList::At(int index) const {
    return index >= 0 && index < m_count ? &m_entries[index] : nullptr;
}

int CResolutionList::FirstIndexOfWidth(int width) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].width == width) return i;
    }
    return -1;
}

}  // namespace vimbrel::controller
