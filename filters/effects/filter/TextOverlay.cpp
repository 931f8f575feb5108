#include "TextOverlay.h"

#include <algorithm>
#include <cstring>

namespace lenstint {

// GDI+ objects allocate through GDI+ itself, which answers null (never
// throws) when memory runs out.
namespace {

using vimbrel::effects::TextAlign;

Gdiplus::StringAlignment ToGdiplus(TextAlign a) {
    switch (a) {
    case TextAlign::Centre: return Gdiplus::StringAlignmentCenter;
    case TextAlign::Far: return Gdiplus::StringAlignmentFar;
    default: return Gdiplus::StringAlignmentNear;
    }
}

std::unique_ptr<Gdiplus::Font> FontFrom(const Gdiplus::FontFamily* family, float pixels) {
    if (family == nullptr || family->GetLastStatus() != Gdiplus::Ok || !family->IsAvailable()) {
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(family, pixels, Gdiplus::FontStyleBold, Gdiplus::UnitPixel));
    if (font == nullptr || font->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    return font;
}

// The eight neighbours of a pixel, row by row, the pixel itself left out.
constexpr int kOutline[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

}  // namespace

std::unique_ptr<Gdiplus::Font> MakeBoldFont(const wchar_t* name, float pixels) {
    if (name != nullptr) {
        Gdiplus::FontFamily family(name);
        if (auto font = FontFrom(&family, pixels)) {
            return font;
        }
    }
    // Wine may have no generic family at all: never build a font from null.
    return FontFrom(Gdiplus::FontFamily::GenericSansSerif(), pixels);
}

bool CTextOverlay::Create() {
    canvas_.reset(new Gdiplus::Bitmap(Width(), Height(), PixelFormat32bppPARGB));
    if (canvas_ == nullptr || canvas_->GetLastStatus() != Gdiplus::Ok) {
        canvas_.reset();
        return false;
    }
    graphics_.reset(new Gdiplus::Graphics(canvas_.get()));
    if (graphics_ == nullptr || graphics_->GetLastStatus() != Gdiplus::Ok) {
        graphics_.reset();
        canvas_.reset();
        return false;
    }
    graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    return surface_.Create(Width(), Height(), 32);
}

void CTextOverlay::Render(const wchar_t* text, const TextStyle& style) {
    if (graphics_ == nullptr || !surface_.Valid()) {
        return;
    }
    graphics_->Clear(Gdiplus::Color(0x00FFFFFF));  // transparent
    const std::unique_ptr<Gdiplus::Font> font = MakeBoldFont(style.fontName, style.pixels);
    if (font != nullptr && text != nullptr) {
        Gdiplus::StringFormat format;
        format.SetAlignment(ToGdiplus(style.horizontal));
        format.SetLineAlignment(ToGdiplus(style.vertical));
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
        const Gdiplus::REAL w = static_cast<Gdiplus::REAL>(std::clamp(style.boxWidth, 0, Width()));
        const Gdiplus::REAL h = static_cast<Gdiplus::REAL>(std::clamp(style.boxHeight, 0, Height()));
        // Drawing errors stay in the graphics object's status; a box without
        // text is still a valid (empty) overlay.
        if (style.outline) {
            Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
            for (const auto& offset : kOutline) {
                const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(offset[0]), static_cast<Gdiplus::REAL>(offset[1]),
                                         w, h);
                graphics_->DrawString(text, -1, font.get(), box, &format, &black);
            }
        }
        Gdiplus::SolidBrush brush{Gdiplus::Color(style.colour)};
        graphics_->DrawString(text, -1, font.get(), Gdiplus::RectF(0, 0, w, h), &format, &brush);
    }
    graphics_->Flush(Gdiplus::FlushIntentionSync);
    CopyToSurface();
    loaded_ = true;
}

void CTextOverlay::CopyToSurface() {
    Gdiplus::BitmapData data{};
    Gdiplus::Rect all(0, 0, Width(), Height());
    GdiFlush();
    if (canvas_->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
        std::memset(surface_.Bits(), 0, surface_.Stride() * static_cast<std::size_t>(Height()));
        return;
    }
    // GDI+ rows run top-down, the section's bottom-up.
    for (int y = 0; y < Height(); ++y) {
        const auto* source = static_cast<const uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
        std::memcpy(surface_.Row(Height() - 1 - y), source, static_cast<std::size_t>(Width()) * 4);
    }
    canvas_->UnlockBits(&data);
}

}  // namespace lenstint
