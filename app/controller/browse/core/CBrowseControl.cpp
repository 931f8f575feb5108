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
    : m_host(ports.host),
      m_tabs(ports.tabs),
      m_canvas(ports.canvas),
      m_prompt(ports.prompt),
      m_progress(ports.progress),
      m_programFolder(ports.programFolder) {}

// The worker calls back into this object, so it must end first.
CBrowseControl::~CBrowseControl() { m_progress.Stop(); }

int CBrowseControl::EnableKey(int button, int enable) {
    return m_host.EnablePanelButton(kBrowsePanel, KeyOf(static_cast<Button>(button)), enable);
}

void CBrowseControl::SetPlayToggle(bool playing) {
    m_host.SetPanelToggle(kBrowsePanel, KeyOf(Button::PlayPause), playing ? 1 : 0);
}

void CBrowseControl::EnablePlaybackKeys(bool enable) {
    EnableKey(static_cast<int>(Button::PlayPause), enable ? 1 : 0);
    EnableKey(static_cast<int>(Button::StopPlaying), enable ? 1 : 0);
    EnableKey(static_cast<int>(Button::Search), enable ? 1 : 0);
}

// --- Showing the chosen file ---------------------------------------------

int CBrowseControl::ShowMediaFile(const char16_t* path, int mediaClass) {
    if (path != nullptr) {
        m_browseFile = path;
    } else {
        std::u16string current;
        int currentClass = kClassNone;
        if (!m_tabs.GetCurrentFile(&current, &currentClass)) return 0;
        if (current.empty()) {
            ClearBrowsePicture();
            return 0;
        }
        m_browseFile = current;
        m_browseClass = currentClass;
    }
    if (mediaClass != -1) m_browseClass = mediaClass;
    // A browser that lost its last item names no file: whatever class the
    // previous file had, there is nothing to play or edit.
    if (m_browseFile.empty()) m_browseClass = kClassNone;
    if (m_host.ModeId() != kBrowseMode) return 1;
    // The browser names its current file again whenever its folder changes
    // (a capture saved, another file renamed or deleted). Reloading the
    // picture shown would throw away the user's unsaved edits.
    if (m_browseClass == kClassPicture && m_browseFile == m_currentFile && IsPhotoModified()) return 1;

    EnableKey(static_cast<int>(Button::SaveAs), 0);
    m_currentFile = m_browseFile;
    switch (m_browseClass) {
    case kClassVideo:
    case kClassAudio:
        EnablePlaybackKeys(true);
        EnableKey(static_cast<int>(Button::Print), 0);
        if (m_browseClass == kClassAudio) ShowAudioPicture();
        PlayMediaFile(m_currentFile);
        break;
    case kClassPicture:
        StopPlayback();
        EnablePlaybackKeys(false);
        EnableKey(static_cast<int>(Button::Print), 1);
        ShowPicture(m_currentFile);
        break;
    default:
        StopPlayback();
        ClearBrowsePicture();
        break;
    }
    m_host.RefreshOverlay();
    return 1;
}

int CBrowseControl::ShowAudioPicture() {
    if (!m_canvas.ShowAudioPicture()) return 0;
    m_canvas.EnableEditing(false);
    return 1;
}

int CBrowseControl::ShowPicture(const std::u16string& path) {
    if (!m_canvas.ShowFile(path, true)) return 0;
    m_canvas.EnableEditing(true);
    return 1;
}

int CBrowseControl::ClearBrowsePicture() {
    if (!m_host.IsStarted()) return 0;
    m_canvas.Clear();
    m_canvas.EnableEditing(false);
    EnablePlaybackKeys(false);
    return 1;
}

int CBrowseControl::Navigate(int direction) {
    if (direction < 0 || direction > 3) return 0;
    if (!m_tabs.Navigate(direction)) return 1;
    std::u16string current;
    int currentClass = kClassNone;
    if (!m_tabs.GetCurrentFile(&current, &currentClass)) return 0;
    return ShowMediaFile(current.c_str(), currentClass);
}

// --- Playback --------------------------------------------------------------

int CBrowseControl::PlayMediaFile(const std::u16string& path) {
    const EngineApi* api = Engine();
    if (!m_host.IsStarted() || api == nullptr || api->PlayFile == nullptr || path.empty()) return 0;

    // The worker of an earlier playback must not report over this one.
    m_progress.Stop();
    float duration = 0.0f;
    int firstFrameDrawn = 0;
    {
        std::unique_ptr<IFrameSurface> surface =
            m_canvas.OpenFrameSurface(kFirstFrameWidth, kFirstFrameHeight);
        // The engine writes through the pointer even when it draws nothing.
        EngineDc noSurface = nullptr;
        EngineDc* dc = surface ? surface->Dc() : &noSurface;
        if (api->PlayFile(EngineText(path.c_str()), m_host.CanvasWindow(), &duration, dc,
                          kFirstFrameWidth, kFirstFrameHeight, &firstFrameDrawn) != 1)
            return 0;
        if (firstFrameDrawn != 0 && surface) {
            surface->ShowOnCanvas();
            m_canvas.EnableEditing(false);
        }
    }
    m_playState = kPlayPlaying;
    SetPlayToggle(true);
    EnableKey(static_cast<int>(Button::StopPlaying), 1);
    EnableKey(static_cast<int>(Button::Search), 1);
    m_progress.Start([this, duration](IProgressContext& context) { RunProgress(context, duration); });
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
            m_host.NotifySliderListeners(kPlaybackSliderKind, ProgressPercent(seconds, duration), 1);
            if (api->GetCurrentPlaybackTime(&seconds) != 1) break;
            m_host.SetOverlayTime(OverlaySeconds(seconds));
            if (!context.Sleep(kProgressIntervalMs)) return;
        }
    }
    // An unreadable time means the engine has let go of the file: the
    // playback has ended, so the keys must say so too.
    if (context.StopRequested()) return;
    m_host.SetOverlayTime(0);
    OnPlaybackEnded();
}

void CBrowseControl::OnPlaybackEnded() {
    EnableKey(static_cast<int>(Button::StopPlaying), 0);
    SetPlayToggle(false);
    EnableKey(static_cast<int>(Button::Search), 0);
    m_playState = kPlayStopped;
}

int CBrowseControl::PlayPause() {
    const EngineApi* api = Engine();
    if (api == nullptr || api->ResumePlayback == nullptr || api->PausePlayback == nullptr) return 0;
    switch (m_playState.load()) {
    case kPlayPlaying:
        if (api->PausePlayback() != 1) return 0;
        m_playState = kPlayPaused;
        SetPlayToggle(false);
        return 1;
    case kPlayPaused:
        if (api->ResumePlayback() != 1) return 0;
        m_playState = kPlayPlaying;
        SetPlayToggle(true);
        return 1;
    default:
        // PlayMediaFile turns the toggle itself once the file plays.
        return PlayMediaFile(m_currentFile);
    }
}

int CBrowseControl::StopPlayback() {
    const EngineApi* api = Engine();
    if (api == nullptr || api->StopPlayback == nullptr) return 0;
    // A stopped graph still answers its position, so the worker would poll
    // a time that no longer moves: it ends here.
    m_progress.Stop();
    api->StopPlayback();
    m_playState = kPlayStopped;
    EnableKey(static_cast<int>(Button::StopPlaying), 0);
    SetPlayToggle(false);
    EnableKey(static_cast<int>(Button::Search), 0);
    return 1;
}

int CBrowseControl::SetPlaybackPosition(int percent) {
    const EngineApi* api = Engine();
    if (percent < 0 || percent > 100 || api == nullptr || api->SetPlaybackPosition == nullptr)
        return 0;
    return api->SetPlaybackPosition(static_cast<float>(percent)) == 1 ? 1 : 0;
}

// --- Edited pictures --------------------------------------------------------

int CBrowseControl::OnPhotoModified() { return EnableKey(static_cast<int>(Button::SaveAs), 1); }

int CBrowseControl::IsPhotoModified() const {
    return m_canvas.HasCanvas() && m_canvas.IsModified() ? 1 : 0;
}

int CBrowseControl::SavePhoto(const std::u16string& path) {
    if (path.empty() || !m_canvas.HasCanvas()) return 0;
    return m_canvas.SaveImage(path) ? 1 : 0;
}

bool CBrowseControl::SaveAsCopy() {
    if (m_currentFile.empty()) return false;
    auto name = NextFreeCopyName(
        m_currentFile, [this](const std::u16string& candidate) { return m_canvas.FileExists(candidate); });
    return name && SavePhoto(*name) == 1;
}

// A picture whose edits could not be kept answers cancel, so that the
// caller stays on it instead of dropping the edits.
int CBrowseControl::QuerySaveModified() {
    if (!IsPhotoModified()) return kAnswerContinue;
    switch (m_prompt.Ask()) {
    case SaveAnswer::Yes: return SaveAsCopy() ? kAnswerSaved : kAnswerCancel;
    case SaveAnswer::No: return kAnswerContinue;
    case SaveAnswer::Cancel: break;
    }
    return kAnswerCancel;
}

int CBrowseControl::SaveModifiedPhoto() {
    if (m_host.ModeId() != kBrowseMode || !IsPhotoModified()) return 0;
    return SaveAsCopy() ? 1 : 0;
}

// --- Canvas settings ----------------------------------------------------------

void CBrowseControl::ApplyPhotoEffect(int entry) { m_canvas.ApplyEffect(PhotoEffectIdOfEntry(entry)); }

void CBrowseControl::SetPhotoFrame(int entry) {
    if (entry < 0) return;
    m_canvas.SetFrame(entry == 0 ? std::u16string() : FramePath(m_programFolder, entry));
}

void CBrowseControl::SetPenColor(int value) { m_canvas.SetPenColor(static_cast<std::uint32_t>(value)); }

void CBrowseControl::SetStamp(int entry) {
    switch (StampKindOfEntry(entry)) {
    case StampKind::Pen: m_canvas.SetTool(0); break;
    case StampKind::Image:
        m_canvas.SetImageStamp(StampPath(m_programFolder, entry));
        m_canvas.SetTool(1);
        break;
    case StampKind::Brush:
        m_canvas.SetBrushStamp(StampPath(m_programFolder, entry));
        m_canvas.SetTool(2);
        break;
    }
}

void CBrowseControl::SetCanvasTool(int tool) { m_canvas.SetTool(tool); }

void CBrowseControl::SetCanvasPenWidth(int width) {
    if (width > 0) m_canvas.SetPenWidth(static_cast<float>(width));
}

}  // namespace vimbrel::controller
