// The film strip on the worker thread. The strip lives in the first strip
// buffer and is scrolled there row by row; the second strip buffer is what
// the window shows (the strip, with the featured picture mixed over it);
// the composition buffer holds the incoming frame at its right edge, and the
// blend buffer the featured picture at its current size.
//
// The featured picture is mixed over the whole screen with the cross-fade's
// weighted sum, so at full weight the screen is the picture on black and
// the strip reappears as the weight falls again.
#include "FilmStrip.h"

#include "FilmStripMath.h"
#include "PictureFile.h"
#include "PlayerEvent.h"
#include "PlayerMessages.h"
#include "SlideComposer.h"

#include <gdiplus.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>

namespace slideshow {

namespace {

std::atomic<const CDibBuffer*> g_sharedFrame{nullptr};

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// "year/month/day" of the file's creation, in UTC; empty when the time
// cannot be read.
std::u16string CreationDate(const std::u16string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME utc{};
    if (!GetFileAttributesExW(Wide(name), GetFileExInfoStandard, &data) ||
        !FileTimeToSystemTime(&data.ftCreationTime, &utc)) {
        return std::u16string();
    }
    return FilmDateText(utc.wYear, utc.wMonth, utc.wDay);
}

// The frames' fonts, alignments and amber brush, made once per strip.
// GDI+ may lack "Arial" and even its generic sans-serif family; then the
// frames go without texts rather than with a font built on nothing.
class CFrameTexts {
public:
    CFrameTexts() : arial_(L"Arial"), brush_(Gdiplus::Color(0xFF, 0xFF, 0xC7, 0x00)) {
        const Gdiplus::FontFamily* family = &arial_;
        if (arial_.GetLastStatus() != Gdiplus::Ok || !arial_.IsAvailable())
            family = Gdiplus::FontFamily::GenericSansSerif();
        if (family && family->IsAvailable()) {
            dateFont_ = std::make_unique<Gdiplus::Font>(family, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
            nameFont_ = std::make_unique<Gdiplus::Font>(family, 11.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
            if (dateFont_->GetLastStatus() != Gdiplus::Ok) dateFont_.reset();
            if (nameFont_->GetLastStatus() != Gdiplus::Ok) nameFont_.reset();
        }
        nearFormat_.SetAlignment(Gdiplus::StringAlignmentNear);
        farFormat_.SetAlignment(Gdiplus::StringAlignmentFar);
    }

    void Draw(HDC dc, int x, int y, const std::u16string& name, const FittedRect& nameBox) {
        Gdiplus::Graphics graphics(dc);
        if (graphics.GetLastStatus() != Gdiplus::Ok) return;
        const std::u16string date = CreationDate(name);
        if (dateFont_ && !date.empty()) {
            graphics.DrawString(Wide(date), -1, dateFont_.get(), Box(x, y, kFilmDateBox), &nearFormat_, &brush_);
        }
        if (nameFont_) {
            graphics.DrawString(Wide(name), -1, nameFont_.get(), Box(x, y, nameBox), &farFormat_, &brush_);
        }
    }

private:
    static Gdiplus::RectF Box(int x, int y, const FittedRect& box) {
        return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x + box.x), static_cast<Gdiplus::REAL>(y + box.y),
                              static_cast<Gdiplus::REAL>(box.width), static_cast<Gdiplus::REAL>(box.height));
    }

    Gdiplus::FontFamily arial_;
    Gdiplus::SolidBrush brush_;
    Gdiplus::StringFormat nearFormat_;
    Gdiplus::StringFormat farFormat_;
    std::unique_ptr<Gdiplus::Font> dateFont_;
    std::unique_ptr<Gdiplus::Font> nameFont_;
};

// A picture with the place it got in its frame's picture box.
struct FramedPicture {
    std::unique_ptr<Gdiplus::Bitmap> picture;
    FittedRect inBox;
};

class CFilmStripRun {
public:
    explicit CFilmStripRun(const FilmStripContext& context)
        : context_(context),
          buffers_(context.buffers),
          frame_(*context.frame),
          width_(buffers_.Width()),
          height_(buffers_.Height()),
          y0_((buffers_.Height() - context.frame->Height()) / 2) {}

    int Run();

private:
    bool LayFrame(HDC dc, int x, const std::u16string& name, Gdiplus::Bitmap& picture, const FittedRect& nameBox,
                  FittedRect* inBox);
    void LayStartingFrames(FramedPicture& featured);
    // False when the event ended the cycle.
    bool RunCycle(const FramedPicture& featured);
    void ScrollStrip(int moved, int step);
    void NotifyCursorMoved() const {
        if (context_.notify) PostMessageW(context_.notify, WM_PLAYER_REFRESH, 0, 0);
    }

    const FilmStripContext& context_;
    CScreenBuffers& buffers_;
    const CDibBuffer& frame_;
    const int width_;
    const int height_;
    const int y0_;
    CFrameTexts texts_;
};

bool CFilmStripRun::LayFrame(HDC dc, int x, const std::u16string& name, Gdiplus::Bitmap& picture,
                             const FittedRect& nameBox, FittedRect* inBox) {
    const int pictureWidth = static_cast<int>(picture.GetWidth());
    const int pictureHeight = static_cast<int>(picture.GetHeight());
    FittedRect fitted;
    if (!FitToScreen(pictureWidth, pictureHeight, &fitted, kFilmPictureBox.width, kFilmPictureBox.height)) return false;
    BitBlt(dc, x, y0_, frame_.Width(), frame_.Height(), frame_.Dc(), 0, 0, SRCCOPY);
    texts_.Draw(dc, x, y0_, name, nameBox);
    const FittedRect destination{x + kFilmPictureBox.x + fitted.x, y0_ + kFilmPictureBox.y + fitted.y, fitted.width,
                                 fitted.height};
    if (!DrawPicturePart(picture, dc, destination, FittedRect{0, 0, pictureWidth, pictureHeight})) return false;
    if (inBox) *inBox = fitted;
    return true;
}

void CFilmStripRun::LayStartingFrames(FramedPicture& featured) {
    std::u16string names[3];
    context_.list.Window(names[0], names[1], names[2]);
    CDibBuffer& strip = buffers_.Strip();
    FillBlack(strip.Dc(), 0, 0, width_, height_);
    for (int i = 0; i < 3; ++i) {
        if (names[i].empty()) break;
        std::unique_ptr<Gdiplus::Bitmap> picture = LoadPictureFile(names[i]);
        FittedRect inBox;
        if (!picture || !LayFrame(strip.Dc(), i * frame_.Width(), names[i], *picture, kFilmNameBoxFirst, &inBox)) break;
        if (i == 0) featured = FramedPicture{std::move(picture), inBox};
    }
}

void CFilmStripRun::ScrollStrip(int moved, int step) {
    GdiFlush();
    CDibBuffer& strip = buffers_.Strip();
    const int from = IncomingColumnsFrom(width_, moved, step);
    const int first = y0_ > 0 ? y0_ : 0;
    const int last = y0_ + frame_.Height() < height_ ? y0_ + frame_.Height() : height_;
    const int kept = step < width_ ? width_ - step : 0;
    const int entering = step < width_ ? step : width_;
    for (int y = first; y < last; ++y) {
        std::uint8_t* row = strip.PlaneAt(0, y).bits;
        if (kept > 0)
            std::memmove(row + static_cast<std::size_t>(entering) * 4, row, static_cast<std::size_t>(kept) * 4);
        const std::uint8_t* incoming = buffers_.Composition().PlaneAt(0, y).bits;
        for (int i = 0; i < entering; ++i) {
            const int source = from + (step - entering) + i;
            if (source >= 0 && source < width_)
                std::memcpy(row + static_cast<std::size_t>(i) * 4, incoming + static_cast<std::size_t>(source) * 4, 4);
            else
                std::memset(row + static_cast<std::size_t>(i) * 4, 0, 4);
        }
    }
}

bool CFilmStripRun::RunCycle(const FramedPicture& featured) {
    CDibBuffer& strip = buffers_.Strip();
    CDibBuffer& shown = buffers_.StripShown();
    CDibBuffer& blend = buffers_.Blend();

    std::unique_ptr<CDibBuffer> copy;
    FittedRect small;
    FittedRect large;
    if (featured.picture) {
        const int w = static_cast<int>(featured.picture->GetWidth());
        const int h = static_cast<int>(featured.picture->GetHeight());
        // Where it sits in its frame at the strip's left end, so the zoom
        // grows out of the picture itself. The incoming picture's box would
        // be another picture's shape: a portrait beside a landscape would
        // start the zoom squeezed and off its place.
        small = FittedRect{kFilmPictureBox.x + featured.inBox.x, y0_ + kFilmPictureBox.y + featured.inBox.y,
                           featured.inBox.width, featured.inBox.height};
        copy = CDibBuffer::Create(buffers_.Target(), w, h);
        if (copy && FitToScreen(w, h, &large, width_, height_)) {
            FillBlack(copy->Dc(), 0, 0, w, h);
            if (!DrawPicturePart(*featured.picture, copy->Dc(), FittedRect{0, 0, w, h}, FittedRect{0, 0, w, h}))
                copy.reset();
        } else {
            copy.reset();
        }
        SetStretchBltMode(blend.Dc(), HALFTONE);
        SetBrushOrgEx(blend.Dc(), 0, 0, nullptr);
    }

    const DWORD start = GetTickCount();
    int lastPhase = 0;
    int moved = 0;
    bool largeDrawn = false;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed > kFilmCycleMs) return true;
        const int phase = FilmPhase(elapsed);
        if (phase == lastPhase) {
            if (WaitForPlayerEvent(context_.event, 10)) return false;
            continue;
        }
        const int step = (phase - lastPhase) * kFilmPixelsPerPhase;
        lastPhase = phase;
        ScrollStrip(moved, step);
        moved += step;
        BitBlt(shown.Dc(), 0, 0, width_, height_, strip.Dc(), 0, 0, SRCCOPY);

        if (copy) {
            if (phase <= kFilmZoomPhases || !largeDrawn) {
                const FittedRect at = FeaturedRectAt(phase, small, large);
                FillBlack(blend.Dc(), 0, 0, width_, height_);
                StretchBlt(blend.Dc(), at.x, at.y, at.width, at.height, copy->Dc(), 0, 0, copy->Width(), copy->Height(),
                           SRCCOPY);
                largeDrawn = phase > kFilmZoomPhases;
            }
            const int alpha = FeaturedAlpha(phase);
            if (alpha >= 0) {
                GdiFlush();
                BlendPlane(blend.PlaneAt(0, 0), shown.PlaneAt(0, 0), shown.PlaneAt(0, 0), width_, height_, alpha);
            }
        }
        BitBlt(buffers_.Target(), 0, 0, width_, height_, shown.Dc(), 0, 0, SRCCOPY);
        if (WaitForPlayerEvent(context_.event, 1)) return false;
    }
}

int CFilmStripRun::Run() {
    FillBlack(buffers_.Composition().Dc(), 0, 0, width_, height_);
    FramedPicture featured;
    LayStartingFrames(featured);

    std::u16string name;
    if (!context_.list.Next(name)) context_.list.First(name);
    NotifyCursorMoved();
    if (name.empty()) return 1;  // the list was emptied meanwhile
    for (;;) {
        FramedPicture incoming{LoadPictureFile(name), FittedRect{}};
        if (!incoming.picture || !LayFrame(buffers_.Composition().Dc(), width_ - frame_.Width(), name,
                                           *incoming.picture, kFilmNameBoxLater, &incoming.inBox)) {
            return 0;
        }
        if (!RunCycle(featured)) return 1;
        featured = std::move(incoming);
        const bool more = context_.list.Next(name) != 0;
        NotifyCursorMoved();
        if (!more) return 1;
    }
}

}  // namespace

int FilmStrip(const FilmStripContext& context) {
    if (!context.frame) return 0;
    CFilmStripRun run(context);
    return run.Run();
}

void SetSharedFilmFrame(const CDibBuffer* frame) { g_sharedFrame = frame; }

int FilmStrip() {
    CScreenBuffers* buffers = SharedScreenBuffers();
    if (!buffers) return 0;
    const FilmStripContext context{SharedSlideList(), *buffers, g_sharedFrame.load(), SharedPlayerEvent(),
                                   buffers->Window()};
    return FilmStrip(context);
}

}  // namespace slideshow
