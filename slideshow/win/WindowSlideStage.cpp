#include "WindowSlideStage.h"

#include "DibBuffer.h"
#include "PictureFile.h"
#include "PlayerEvent.h"
#include "PlayerMessages.h"
#include "Transitions.h"

#include <cstdlib>
#include <utility>

namespace slideshow {

CWindowSlideStage::CWindowSlideStage(CScreenBuffers& buffers, HWND notify, HANDLE event, RandomSource random)
    : buffers_(buffers), notify_(notify), event_(event), random_(std::move(random)) {}

void CWindowSlideStage::NotifyCursorMoved() {
    if (notify_) PostMessageW(notify_, WM_PLAYER_REFRESH, 0, 0);
}

void CWindowSlideStage::ClearScreen() { FillBlack(buffers_.Target(), 0, 0, buffers_.Width(), buffers_.Height()); }

bool CWindowSlideStage::LoadPicture(const std::u16string& name) {
    picture_ = LoadPictureFile(name);
    return picture_ != nullptr;
}

void CWindowSlideStage::ReleasePicture() { picture_.reset(); }

bool CWindowSlideStage::RunTransition(int mode) {
    if (!picture_) return false;
    const TransitionContext context{*picture_, buffers_, event_, random_};
    return slideshow::RunTransition(mode, context) != 0;
}

bool CWindowSlideStage::WaitForEvent(std::uint32_t milliseconds) { return WaitForPlayerEvent(event_, milliseconds); }

bool CWindowSlideStage::EventSet() { return WaitForPlayerEvent(event_, 0); }

int PlaySlides(int mode, int intervalMs) {
    CScreenBuffers* buffers = SharedScreenBuffers();
    if (!buffers) return 0;
    CWindowSlideStage stage(*buffers, buffers->Window(), SharedPlayerEvent(), [] { return std::rand(); });
    const std::uint32_t interval = intervalMs > 0 ? static_cast<std::uint32_t>(intervalMs) : 0;
    return PlaySlides(SharedSlideList(), mode, interval, stage);
}

}  // namespace slideshow
