#include "ThumbCells.h"

#include "ThumbGeometry.h"

namespace vimbrel::browser {

long CThumbCells::Take(long owner, long& evicted) {
    evicted = -1;
    long cell = -1;
    if (!free_.empty()) {
        cell = free_.back();
        free_.pop_back();
    } else if (static_cast<long>(owners_.size()) < maxCells_) {
        if (owners_.size() % kBlockCells == 0) {
            auto block = std::make_unique<CThumbStrip>();
            if (!block->Create(kBlockCells)) return -1;
            blocks_.push_back(std::move(block));
        }
        cell = static_cast<long>(owners_.size());
        owners_.push_back(-1);
        used_.push_back(0);
    } else {
        // Every cell holds a thumbnail: the one drawn longest ago goes. A
        // linear look over at most kMaxCells, only when a thumbnail is made.
        for (long c = 0; c < static_cast<long>(owners_.size()); ++c) {
            if (cell < 0 || clock_ - used_[static_cast<size_t>(c)] > clock_ - used_[static_cast<size_t>(cell)])
                cell = c;
        }
        if (cell < 0) return -1;
        evicted = owners_[static_cast<size_t>(cell)];
        --inUse_;
    }
    owners_[static_cast<size_t>(cell)] = owner;
    ++inUse_;
    Touch(cell);
    return cell;
}

void CThumbCells::Free(long cell) {
    if (!Valid(cell) || owners_[static_cast<size_t>(cell)] < 0) return;
    owners_[static_cast<size_t>(cell)] = -1;
    free_.push_back(cell);
    --inUse_;
}

void CThumbCells::Touch(long cell) {
    if (Valid(cell)) used_[static_cast<size_t>(cell)] = ++clock_;
}

void CThumbCells::SetOwner(long cell, long owner) {
    if (Valid(cell)) owners_[static_cast<size_t>(cell)] = owner;
}

long CThumbCells::Owner(long cell) const { return Valid(cell) ? owners_[static_cast<size_t>(cell)] : -1; }

void CThumbCells::Clear() {
    blocks_.clear();
    owners_.clear();
    used_.clear();
    free_.clear();
    clock_ = 0;
    inUse_ = 0;
}

bool CThumbCells::Draw(long cell, Gdiplus::Image& image, int width, int height) {
    return Valid(cell) && BlockOf(cell).DrawIntoCell(image, SlotOf(cell), width, height);
}

void CThumbCells::Put(long cell, const uint8_t* pixels) {
    if (Valid(cell)) BlockOf(cell).PutCellPixels(SlotOf(cell), pixels);
}

void CThumbCells::CopyFrom(long cell, const CThumbStrip& strip, long from) {
    if (Valid(cell)) BlockOf(cell).CopyCellFrom(strip, from, SlotOf(cell));
}

void CThumbCells::CopyTo(long cell, CThumbStrip& strip, long to) const {
    if (Valid(cell)) strip.CopyCellFrom(BlockOf(cell), SlotOf(cell), to);
}

bool CThumbCells::LoadFrom(long cell, Gdiplus::Bitmap& picture, long from) {
    if (!Valid(cell) || from < 0 || CellTop(from) + 75 > static_cast<int>(picture.GetHeight()) ||
        picture.GetWidth() != 100) {
        return false;
    }
    GdiFlush();
    Gdiplus::BitmapData data = {};
    data.Width = 100;
    data.Height = 75;
    data.Stride = CThumbStrip::kStride;
    data.PixelFormat = PixelFormat24bppRGB;
    data.Scan0 = BlockOf(cell).Row(CellTop(SlotOf(cell)));
    Gdiplus::Rect rect(0, CellTop(from), 100, 75);
    if (picture.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat24bppRGB,
                         &data) != Gdiplus::Ok) {
        return false;
    }
    picture.UnlockBits(&data);
    return true;
}

bool CThumbCells::CopyOut(long cell, int width, int height, HDC target) const {
    if (!Valid(cell) || !target) return false;
    GdiFlush();
    return BitBlt(target, 0, 0, width, height, BlockOf(cell).Dc(), 0, CellTop(SlotOf(cell)), SRCCOPY) != FALSE;
}

}  // namespace vimbrel::browser
