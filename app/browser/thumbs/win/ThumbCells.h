// The thumbnails near the view: a bounded set of 100 x 75 cells, grown in
// blocks as thumbnails are made and never past a fixed number. When every
// cell is in use, the one drawn longest ago is taken back and its entry is
// made again when it is next drawn. A folder of any size costs at most the
// cells' memory, where one strip cell per file would not fit a 32-bit
// process beyond some ten thousand files.
#pragma once

#include "ThumbStrip.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace vimbrel::browser {

class CThumbCells {
public:
    static constexpr long kBlockCells = 64;  // 1.4 MB a block
    // 22.5 MB: every cell a saved strip can hold (kStripFileCells) fits.
    static constexpr long kMaxCells = 1024;

    explicit CThumbCells(long maxCells = kMaxCells) : maxCells_(maxCells) {}
    CThumbCells(CThumbCells&&) = default;
    CThumbCells& operator=(CThumbCells&&) = default;

    // A cell for the entry at `owner`: a free one, a new one, or the one
    // used longest ago, whose owner comes back in `evicted` (-1 none).
    // -1 when no cell can be had.
    long Take(long owner, long& evicted);
    void Free(long cell);
    void Touch(long cell);
    // Entries move when the list is rebuilt; their cells go with them.
    void SetOwner(long cell, long owner);
    long Owner(long cell) const;
    long InUse() const { return inUse_; }
    void Clear();

    // Draws an image scaled to w x h at the top left of the cell.
    bool Draw(long cell, Gdiplus::Image& image, int width, int height);
    // 100 x 75 top-down 24-bit pixels (stride 300).
    void Put(long cell, const uint8_t* pixels);
    void CopyFrom(long cell, const CThumbStrip& strip, long from);
    void CopyTo(long cell, CThumbStrip& strip, long to) const;
    // Cell `from` of a saved strip's picture into the cell.
    bool LoadFrom(long cell, Gdiplus::Bitmap& picture, long from);
    // The top-left w x h of the cell to (0, 0) of the target.
    bool CopyOut(long cell, int width, int height, HDC target) const;

private:
    bool Valid(long cell) const { return cell >= 0 && cell < static_cast<long>(owners_.size()); }
    CThumbStrip& BlockOf(long cell) const { return *blocks_[static_cast<size_t>(cell / kBlockCells)]; }
    static long SlotOf(long cell) { return cell % kBlockCells; }

    long maxCells_;
    std::vector<std::unique_ptr<CThumbStrip>> blocks_;
    std::vector<long> owners_;    // entry index per cell, -1 free
    std::vector<uint32_t> used_;  // when each cell was last used
    std::vector<long> free_;
    uint32_t clock_ = 0;
    long inUse_ = 0;
};

}  // namespace vimbrel::browser
