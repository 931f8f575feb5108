#include "CBrowseControl.h"

#include "BrowseRules.h"
#include "ButtonKeys.h"
#include "FilePaths.h"

namespace vimbrel::controller {

namespace {
constexpr int kBrowsePanel = 4;
constexpr int kBrowseMode = 4;
}  // namespace

CBrowseControl::CBrowseControl(const BrowsePorts& ports)
    : host_(ports.host),
      tabs_(ports.tabs),
      canvas_(ports.canvas),
      prompt_(ports.prompt),
      progress_(ports.progress),
      programFolder_(ports.programFolder) {}

// The worker calls back into this object, so it must end first.
CBrowseControl::~CBrowseControl() { progress_.Stop(); }

int CBrowseControl::EnableKey(int button, int enable) {
    return host_.EnablePanelButton(kBrowsePanel, KeyOf(static_cast<Button>(button)), enable);
}

void CBrowseControl::SetPlayToggle(bool playing) {
    host_.SetPanelToggle(kBrowsePanel, KeyOf(Button::PlayPause), playing ? 1 : 0);
}

void CBrowseControl::EnablePlaybackKeys(bool enable) {
    EnableKey(static_cast<int>(Button::PlayPause), enable ? 1 : 0);
    EnableKey(static_cast<int>(Button::StopPlaying), enable ? 1 : 0);
    EnableKey(static_cast<int>(Button::Search), enable ? 1 : 0);
}

// --- Showing the chosen file ---------------------------------------------

int CBrowseControl::ShowMediaFile(const char16_t* path, int mediaClass) {
    if (path != nullptr) {
        browseFile_ = path;
    } else {
        std::u16string current;
        int currentClass = kClassNone;
        if (!tabs_.GetCurrentFile(&current, &currentClass)) return 0;
        if (current.empty()) {
            ClearBrowsePicture();
            return 0;
        }
        browseFile_ = current;
        browseClass_ = currentClass;
    }
    if (mediaClass != -1) browseClass_ = mediaClass;
    // A browser that lost its last item names no file: whatever class the
    // previous file had, there is nothing to play or edit.
    if (browseFile_.empty()) browseClass_ = kClassNone;
    if (host_.ModeId() != kBrowseMode) return 1;
    // The browser names its current file again whenever its folder changes
    // (a capture saved, another file renamed or deleted). Reloading the
    // picture shown would throw away the user's unsaved edits.
    if (browseClass_ == kClassPicture && browseFile_ == currentFile_ && IsPhotoModified()) return 1;

    EnableKey(static_cast<int>(Button::SaveAs), 0);
    currentFile_ = browseFile_;
    switch (browseClass_) {
    case kClassVideo:
    case kClassAudio:
        EnablePlaybackKeys(true);
        EnableKey(static_cast<int>(Button::Print), 0);
        if (browseClass_ == kClassAudio) ShowAudioPicture();
        PlayMediaFile(currentFile_);
        break;
    case kClassPicture:
        StopPlayback();
        EnablePlaybackKeys(false);
        EnableKey(static_cast<int>(Button::Print), 1);
        ShowPicture(currentFile_);
        break;
    default:
        StopPlayback();
        ClearBrowsePicture();
        break;
    }
    host_.RefreshOverlay();
    return 1;
}

int CBrowseControl::FollowMediaFile(const char16_t* path, int mediaClass) {
    const std::u16string next = path != nullptr ? path : u"";
    if (host_.ModeId() == kBrowseMode) {
        if (next == currentFile_ && mediaClass == browseClass_) return 1;
        if (next != currentFile_ && QuerySaveModified() == kAnswerCancel) return 0;
    }
    return ShowMediaFile(next.c_str(), mediaClass);
}

int CBrowseControl::ShowAudioPicture() {
    if (!canvas_.ShowAudioPicture()) return 0;
    canvas_.EnableEditing(false);
    return 1;
}

int CBrowseControl::ShowPicture(const std::u16string& path) {
    if (!canvas_.ShowFile(path, true)) return 0;
    canvas_.EnableEditing(true);
    return 1;
}

int CBrowseControl::ClearBrowsePicture() {
    if (!host_.IsStarted()) return 0;
    canvas_.Clear();
    canvas_.EnableEditing(false);
    EnablePlaybackKeys(false);
    return 1;
}

int CBrowseControl::Navigate(int direction) {
    if (direction < 0 || direction > 3) return 0;
    if (!tabs_.Navigate(direction)) return 1;
    std::u16string current;
    int currentClass = kClassNone;
    if (!tabs_.GetCurrentFile(&current, &currentClass)) return 0;
    return ShowMediaFile(current.c_str(), currentClass);
}

// --- Playback --------------------------------------------------------------

int CBrowseControl::PlayMediaFile(const std::u16string& path) {
    const EngineApi* api = Engine();
    if (!host_.IsStarted() || api == nullptr || api->PlayFile == nullptr || path.empty()) return 0;

    // The worker of an earlier playback must not report over this one.
    progress_.Stop();
    float duration = 0.0f;
    int firstFrameDrawn = 0;
    {
        std::unique_ptr<IFrameSurface> surface = canvas_.OpenFrameSurface(kFirstFrameWidth, kFirstFrameHeight);
        // The engine writes through the pointer even when it draws nothing.
        EngineDc noSurface = nullptr;
        EngineDc* dc = surface ? surface->Dc() : &noSurface;
        if (api->PlayFile(EngineText(path.c_str()), host_.CanvasWindow(), &duration, dc, kFirstFrameWidth,
                          kFirstFrameHeight, &firstFrameDrawn) != 1) {
            // The engine let go of any earlier file before it tried this
            // one: nothing plays now, and play must start a file again
            // rather than pause what is gone.
            if (playState_.load() != kPlayStopped) OnPlaybackEnded();
            return 0;
        }
        if (firstFrameDrawn != 0 && surface) {
            surface->ShowOnCanvas();
            canvas_.EnableEditing(false);
        }
    }
    playState_ = kPlayPlaying;
    SetPlayToggle(true);
    EnableKey(static_cast<int>(Button::StopPlaying), 1);
    EnableKey(static_cast<int>(Button::Search), 1);
    progress_.Start([this, duration](IProgressContext& context) { RunProgress(context, duration); });
    return 1;
}

// Follows the engine's playback time until it reaches the duration or can
// no longer be read. A worker asked to stop leaves at once and leaves the
// keys to whoever stopped it.
void CBrowseControl::RunProgress(IProgressContext& context, float duration) {
    const EngineApi* api = Engine();
    if (api == nullptr || api->GetCurrentPlaybackTime == nullptr) return;
    float seconds = 0.0f;
    if (api->GetCurrentPlaybackTime(&seconds) == 1) {
        while (seconds < duration) {
            if (context.StopRequested()) return;
            host_.NotifySliderListeners(kPlaybackSliderKind, ProgressPercent(seconds, duration), 1);
            if (api->GetCurrentPlaybackTime(&seconds) != 1) break;
            host_.SetOverlayTime(OverlaySeconds(seconds));
            if (!context.Sleep(kProgressIntervalMs)) return;
        }
    }
    // An unreadable time means the engine has let go of the file: the
    // playback has ended, so the keys must say so too.
    if (context.StopRequested()) return;
    host_.SetOverlayTime(0);
    OnPlaybackEnded();
}

void CBrowseControl::OnPlaybackEnded() {
    EnableKey(static_cast<int>(Button::StopPlaying), 0);
    SetPlayToggle(false);
    EnableKey(static_cast<int>(Button::Search), 0);
    playState_ = kPlayStopped;
}

int CBrowseControl::PlayPause() {
    const EngineApi* api = Engine();
    if (api == nullptr || api->ResumePlayback == nullptr || api->PausePlayback == nullptr) return 0;
    switch (playState_.load()) {
    case kPlayPlaying:
        if (api->PausePlayback() != 1) return 0;
        playState_ = kPlayPaused;
        SetPlayToggle(false);
        return 1;
    case kPlayPaused:
        if (api->ResumePlayback() != 1) return 0;
        playState_ = kPlayPlaying;
        SetPlayToggle(true);
        return 1;
    default:
        // PlayMediaFile turns the toggle itself once the file plays.
        return PlayMediaFile(currentFile_);
    }
}

int CBrowseControl::StopPlayback() {
    const EngineApi* api = Engine();
    if (api == nullptr || api->StopPlayback == nullptr) return 0;
    // A stopped graph still answers its position, so the worker would poll
    // a time that no longer moves: it ends here.
    progress_.Stop();
    api->StopPlayback();
    playState_ = kPlayStopped;
    EnableKey(static_cast<int>(Button::StopPlaying), 0);
    SetPlayToggle(false);
    EnableKey(static_cast<int>(Button::Search), 0);
    return 1;
}

int CBrowseControl::SetPlaybackPosition(int percent) {
    const EngineApi* api = Engine();
    if (percent < 0 || percent > 100 || api == nullptr || api->SetPlaybackPosition == nullptr) return 0;
    return api->SetPlaybackPosition(static_cast<float>(percent)) == 1 ? 1 : 0;
}

// --- Edited pictures --------------------------------------------------------

int CBrowseControl::OnPhotoModified() { return EnableKey(static_cast<int>(Button::SaveAs), 1); }

int CBrowseControl::IsPhotoModified() const { return canvas_.HasCanvas() && canvas_.IsModified() ? 1 : 0; }

int CBrowseControl::SavePhoto(const std::u16string& path) {
    if (path.empty() || !canvas_.HasCanvas()) return 0;
    return canvas_.SaveImage(path) ? 1 : 0;
}

bool CBrowseControl::SaveAsCopy() {
    if (currentFile_.empty()) return false;
    auto name = NextFreeCopyName(currentFile_,
                                 [this](const std::u16string& candidate) { return canvas_.FileExists(candidate); });
    return name && SavePhoto(*name) == 1;
}

// A picture whose edits could not be kept answers cancel, so that the
// caller stays on it instead of dropping the edits.
int CBrowseControl::QuerySaveModified() {
    if (!IsPhotoModified()) return kAnswerContinue;
    switch (prompt_.Ask()) {
    case SaveAnswer::Yes: return SaveAsCopy() ? kAnswerSaved : kAnswerCancel;
    case SaveAnswer::No: return kAnswerContinue;
    case SaveAnswer::Cancel: break;
    }
    return kAnswerCancel;
}

int CBrowseControl::SaveModifiedPhoto() {
    if (host_.ModeId() != kBrowseMode || !IsPhotoModified()) return 0;
    return SaveAsCopy() ? 1 : 0;
}

// --- Canvas settings ----------------------------------------------------------

void CBrowseControl::ApplyPhotoEffect(int entry) { canvas_.ApplyEffect(PhotoEffectIdOfEntry(entry)); }

void CBrowseControl::SetPhotoFrame(int entry) {
    if (entry < 0) return;
    canvas_.SetFrame(entry == 0 ? std::u16string() : FramePath(programFolder_, entry));
}

void CBrowseControl::SetPenColor(int value) { canvas_.SetPenColor(static_cast<std::uint32_t>(value)); }

void CBrowseControl::SetStamp(int entry) {
    switch (StampKindOfEntry(entry)) {
    case StampKind::Pen: canvas_.SetTool(0); break;
    case StampKind::Image:
        canvas_.SetImageStamp(StampPath(programFolder_, entry));
        canvas_.SetTool(1);
        break;
    case StampKind::Brush:
        canvas_.SetBrushStamp(StampPath(programFolder_, entry));
        canvas_.SetTool(2);
        break;
    }
}

void CBrowseControl::SetCanvasTool(int tool) { canvas_.SetTool(tool); }

void CBrowseControl::SetCanvasPenWidth(int width) {
    if (width > 0) canvas_.SetPenWidth(static_cast<float>(width));
}

}  // namespace vimbrel::controller
