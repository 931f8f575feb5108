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
    CMemoryFrame(canvas::CPhotoCanvas& canvas, int width, int height) : m_canvas(canvas) {
        {
            const auto screen = winowners::GetDCOwner(nullptr);
            if (!screen) return;
            m_dc.reset(CreateCompatibleDC(screen.get()));
            m_bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
        }
        if (m_dc && m_bitmap) m_selection.emplace(m_dc.get(), m_bitmap.get());
        m_handedDc = m_dc.get();
    }
    CMemoryFrame(const CMemoryFrame&) = delete;
    CMemoryFrame& operator=(const CMemoryFrame&) = delete;

    bool IsReady() const { return m_dc && m_bitmap && m_selection && *m_selection; }
    EngineDc* Dc() override { return &m_handedDc; }
    bool ShowOnCanvas() override {
        if (!IsReady()) return false;
        // GDI+ reads the bitmap only once it is out of the DC.
        m_selection.reset();
        Gdiplus::Bitmap picture(m_bitmap.get(), nullptr);
        if (picture.GetLastStatus() != Gdiplus::Ok) return false;
        return m_canvas.SetPicture(&picture, 0) == 1;
    }

private:
    canvas::CPhotoCanvas& m_canvas;
    winowners::UniqueMemoryDC m_dc;
    winowners::UniqueBitmap m_bitmap;
    std::optional<winowners::UniqueSelection> m_selection;  // ends first: the bitmap leaves the DC before either goes
    HDC m_handedDc = nullptr;  // what the engine is given; it may overwrite it
};

}  // namespace

bool CCanvasBrowsePort::ShowFile(const std::u16string& path, bool editable) {
    return m_canvas && m_canvas->LoadPicture(ViewAsWide(path), 0, nullptr, nullptr, editable ? 1 : 0) == 1;
}

bool CCanvasBrowsePort::ShowAudioPicture() {
    return m_canvas && m_canvas->LoadPicture(L"", 2, L"audio.jpg", L"TOLVEX", 0) == 1;
}

// A picture that cannot be loaded shows as a white one: the empty canvas.
bool CCanvasBrowsePort::Clear() { return m_canvas && m_canvas->LoadPicture(L"", 0, nullptr, nullptr, 0) == 1; }

void CCanvasBrowsePort::EnableEditing(bool enable) {
    if (m_canvas) m_canvas->EnableEditing(enable ? 1 : 0);
}

bool CCanvasBrowsePort::IsModified() const { return m_canvas && m_canvas->IsModified() == 1; }

bool CCanvasBrowsePort::SaveImage(const std::u16string& path) {
    return m_canvas && m_canvas->SaveImage(ViewAsWide(path)) == 1;
}

void CCanvasBrowsePort::SetPenWidth(float width) {
    if (m_canvas) m_canvas->SetPenWidth(width);
}

void CCanvasBrowsePort::SetPenColor(std::uint32_t colour) {
    if (m_canvas) m_canvas->SetPenColor(static_cast<COLORREF>(colour));
}

bool CCanvasBrowsePort::SetImageStamp(const std::u16string& path) {
    return m_canvas && m_canvas->SetImageStamp(ViewAsWide(path), 0, nullptr, nullptr) == 1;
}

bool CCanvasBrowsePort::SetBrushStamp(const std::u16string& path) {
    return m_canvas && m_canvas->SetBrushStamp(ViewAsWide(path), 0, 0, nullptr, nullptr) == 1;
}

void CCanvasBrowsePort::SetTool(int tool) {
    if (m_canvas) m_canvas->SetTool(tool);
}

void CCanvasBrowsePort::ApplyEffect(int effectId) {
    if (m_canvas) m_canvas->ApplyEffect(effectId);
}

void CCanvasBrowsePort::SetFrame(const std::u16string& path) {
    if (m_canvas) m_canvas->SetFrame(path.empty() ? nullptr : ViewAsWide(path));
}

std::unique_ptr<IFrameSurface> CCanvasBrowsePort::OpenFrameSurface(int width, int height) {
    if (!m_canvas) return nullptr;
    auto frame = std::make_unique<CMemoryFrame>(*m_canvas, width, height);
    if (!frame->IsReady()) return nullptr;
    return frame;
}

bool CCanvasBrowsePort::FileExists(const std::u16string& path) const {
    return GetFileAttributesW(ViewAsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vimbrel::controller
