#include "ScreenBuffers.h"

namespace slideshow {

std::unique_ptr<CScreenBuffers> CScreenBuffers::ForWindow(HWND window) {
    if (!window) return nullptr;
    std::unique_ptr<CScreenBuffers> buffers(new CScreenBuffers());
    buffers->window_ = window;
    buffers->ownTarget_ = winowners::UniqueWindowDC(window);
    buffers->target_ = buffers->ownTarget_.get();
    if (!buffers->target_) return nullptr;
    buffers->width_ = GetSystemMetrics(SM_CXSCREEN);
    buffers->height_ = GetSystemMetrics(SM_CYSCREEN);
    if (!buffers->MakeBuffers()) return nullptr;
    return buffers;
}

std::unique_ptr<CScreenBuffers> CScreenBuffers::ForTarget(HDC target, int width, int height) {
    if (!target) return nullptr;
    std::unique_ptr<CScreenBuffers> buffers(new CScreenBuffers());
    buffers->target_ = target;
    buffers->width_ = width;
    buffers->height_ = height;
    if (!buffers->MakeBuffers()) return nullptr;
    return buffers;
}

bool CScreenBuffers::MakeBuffers() {
    composition_ = CDibBuffer::Create(target_, width_, height_);
    blend_ = CDibBuffer::Create(target_, width_, height_);
    strip_ = CDibBuffer::Create(target_, width_, height_);
    stripShown_ = CDibBuffer::Create(target_, width_, height_);
    if (!composition_ || !blend_ || !strip_ || !stripShown_) return false;
    // The first cross-fade starts from whatever the window shows: black.
    FillBlack(composition_->Dc(), 0, 0, width_, height_);
    FillBlack(target_, 0, 0, width_, height_);
    return true;
}

CScreenBuffers::~CScreenBuffers() {
    // The buffers go first (members), the window's context is handed back here.
    composition_.reset();
    blend_.reset();
    strip_.reset();
    stripShown_.reset();
    ownTarget_.reset();
}

namespace {

std::unique_ptr<CScreenBuffers>& SharedSlot() {
    static std::unique_ptr<CScreenBuffers> buffers;
    return buffers;
}

}  // namespace

int CreateScreenBuffers(HWND window) {
    std::unique_ptr<CScreenBuffers>& slot = SharedSlot();
    // Made once: a second call keeps the buffers the other thread may be
    // drawing from.
    if (!slot) slot = CScreenBuffers::ForWindow(window);
    return slot ? 1 : 0;
}

CScreenBuffers* SharedScreenBuffers() { return SharedSlot().get(); }

void ReleaseScreenBuffers() { SharedSlot().reset(); }

}  // namespace slideshow
