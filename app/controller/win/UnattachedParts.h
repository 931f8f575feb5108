#pragma once
// The controller's partners before their own parts attach at start-up (the
// windows of the overlay, wheel, mode picture and function panel, the
// capture sequences, the media files, browsing and the camera module).
// Each operation refuses: 0, no window, nothing started. A refusal is what
// the controller already expects of a missing window or a failed action,
// so the modes, panels and engine keep working without them.

#include "ControllerPartners.h"
#include "ControllerView.h"

namespace vimbrel::controller {

class CUnattachedParts final : public IControllerWindows,
                               public ICaptureSequences,
                               public IMediaFiles,
                               public IBrowseControl,
                               public ICameraModule {
public:
    ControllerWindow CreateStatusOverlay(ControllerWindow, const ControllerRect&, int) override { return nullptr; }
    ControllerWindow CreateModeWheel(ControllerWindow, const ControllerRect&) override { return nullptr; }
    ControllerWindow CreateModePicture(ControllerWindow, const ControllerRect&) override { return nullptr; }
    ControllerWindow CreateFunctionPanel(ControllerWindow, const ControllerRect&) override { return nullptr; }
    int SetOverlayTime(int) override { return 0; }
    int SetOverlayIcon(int) override { return 0; }
    int SetWheelMode(int, int) override { return 0; }
    int ShowModePicture(int) override { return 0; }
    int SetFunctionPanelMode(int) override { return 0; }
    int RelayoutFunctionPanel() override { return 0; }
    int UpdateItemPopup(int) override { return 0; }
    int SelectBrowseTab(int) override { return 0; }
    int QueryLeaveBrowse() override { return 7; }
    int ShowAbout(ControllerWindow) override { return 0; }
    void DestroyWindows() override {}

    int CaptureImage() override { return 0; }
    void StartImageTimer(int) override {}
    void StartRecordTimer(int) override {}
    void StartBurst(int) override {}
    void StartRecordingTime() override {}
    int UpdateDateOverlay(int) override { return 0; }
    void ClearLastDateText() override {}
    void StopWorkers() override {}

    int MakeCaptureName(int, std::u16string*) override { return 0; }
    int StartSlideShow() override { return 0; }
    int MailSelected() override { return 0; }
    int PrintSelected() override { return 0; }

    int ShowMediaFile(const char16_t*, int) override { return 0; }
    int ShowAudioPicture() override { return 0; }
    int StopPlayback() override { return 0; }
    int PlayPause() override { return 0; }
    int SetPlaybackPosition(int) override { return 0; }
    int Navigate(int) override { return 0; }
    // Nothing is edited without a canvas: continue.
    int QuerySaveModified() override { return 7; }
    int SaveModifiedPhoto() override { return 0; }
    void ApplyPhotoEffect(int) override {}
    void SetPhotoFrame(int) override {}
    void SetPenColor(int) override {}
    void SetStamp(int) override {}
    void SetCanvasTool(int) override {}
    void SetCanvasPenWidth(int) override {}

    int BindVideoQuality() override { return 1; }  // no module: nothing to bind, the start goes on
    void RebindCameraModule() override {}
    void StopRotationPoll() override {}
};

}  // namespace vimbrel::controller
