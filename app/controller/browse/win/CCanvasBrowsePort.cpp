#include "CCanvasBrowsePort.h"

#include <gdiplus.h>

#include "CPhotoCanvas.h"
#include "WideText.h"
#include "winowners/GdiOwners.h"

#include <optional>

namespace vimbrel::controller {

namespace {

// A screen-compatible bitmap selected into a memory DC; both freed with it.
class CMemoryFrame final : public IFrameSurface {
public:
    CMemoryFrame(canvas::CPhotoCanvas& canvas, int width, int height) : canvas_(canvas) {
        {
            const auto screen = winowners::GetDCOwner(nullptr);
            if (!screen) return;
            dc_.reset(CreateCompatibleDC(screen.get()));
            bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        }
        if (dc_ && bitmap_) selection_.emplace(dc_.get(), bitmap_.get());
        handedDc_ = dc_.get();
    }
    CMemoryFrame(const CMemoryFrame&) = delete;
    CMemoryFrame& operator=(const CMemoryFrame&) = delete;

    bool IsReady() const { return dc_ && bitmap_ && selection_ && *selection_; }
    EngineDc* Dc() override { return &handedDc_; }
    bool ShowOnCanvas() override {
        if (!IsReady()) return false;
        // GDI+ reads the bitmap only once it is out of the DC.
        selection_.reset();
        Gdiplus::Bitmap picture(bitmap_.get(), nullptr);
        if (picture.GetLastStatus() != Gdiplus::Ok) return false;
        return canvas_.SetPicture(&picture, 0) == 1;
    }

private:
    canvas::CPhotoCanvas& canvas_;
    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    std::optional<winowners::UniqueSelection> selection_;  // ends first: the bitmap leaves the DC before either goes
    HDC handedDc_ = nullptr;                               // what the engine is given; it may overwrite it
};

}  // namespace

bool CCanvasBrowsePort::ShowFile(const std::u16string& path, bool editable) {
    return canvas_ && canvas_->LoadPicture(ViewAsWide(path), 0, nullptr, nullptr, editable ? 1 : 0) == 1;
}

bool CCanvasBrowsePort::ShowAudioPicture() {
    return canvas_ && canvas_->LoadPicture(L"", 2, L"audio.jpg", L"TOLVEX", 0) == 1;
}

// A picture that cannot be loaded shows as a white one: the empty canvas.
bool CCanvasBrowsePort::Clear() { return canvas_ && canvas_->LoadPicture(L"", 0, nullptr, nullptr, 0) == 1; }

void CCanvasBrowsePort::EnableEditing(bool enable) {
    if (canvas_) canvas_->EnableEditing(enable ? 1 : 0);
}

bool CCanvasBrowsePort::IsModified() const { return canvas_ && canvas_->IsModified() == 1; }

bool CCanvasBrowsePort::SaveImage(const std::u16string& path) {
    return canvas_ && canvas_->SaveImage(ViewAsWide(path)) == 1;
}

void CCanvasBrowsePort::SetPenWidth(float width) {
    if (canvas_) canvas_->SetPenWidth(width);
}

void CCanvasBrowsePort::SetPenColor(std::uint32_t colour) {
    if (canvas_) canvas_->SetPenColor(static_cast<COLORREF>(colour));
}

bool CCanvasBrowsePort::SetImageStamp(const std::u16string& path) {
    return canvas_ && canvas_->SetImageStamp(ViewAsWide(path), 0, nullptr, nullptr) == 1;
}

bool CCanvasBrowsePort::SetBrushStamp(const std::u16string& path) {
    return canvas_ && canvas_->SetBrushStamp(ViewAsWide(path), 0, 0, nullptr, nullptr) == 1;
}

void CCanvasBrowsePort::SetTool(int tool) {
    if (canvas_) canvas_->SetTool(tool);
}

void CCanvasBrowsePort::ApplyEffect(int effectId) {
    if (canvas_) canvas_->ApplyEffect(effectId);
}

void CCanvasBrowsePort::SetFrame(const std::u16string& path) {
    if (canvas_) canvas_->SetFrame(path.empty() ? nullptr : ViewAsWide(path));
}

std::unique_ptr<IFrameSurface> CCanvasBrowsePort::OpenFrameSurface(int width, int height) {
    if (!canvas_) return nullptr;
    auto frame = std::make_unique<CMemoryFrame>(*canvas_, width, height);
    if (!frame->IsReady()) return nullptr;
    return frame;
}

bool CCanvasBrowsePort::FileExists(const std::u16string& path) const {
    return GetFileAttributesW(ViewAsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vimbrel::controller
