#pragma once
// The main program's controller: the current mode and capture state, the
// settings, the bound engine and the windows it drives. Skinned panels hand
// it button presses and slider moves by key colour; the main dialog hands it
// the motion alarm, power events and the camera's hardware buttons.
//
// A plain object without virtual functions. The program has one (see
// GetCameraController); tests build their own over recording ports. It is
// entered from the user-interface thread and from the capture workers: the
// capture state is atomic, and name-plus-engine captures are serialised by
// CaptureLock so that two pictures never take one name.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "CControllerSettings.h"
#include "CEngineBinding.h"
#include "CEngineDevices.h"
#include "ButtonKeys.h"
#include "CSliderListeners.h"
#include "ControllerLook.h"
#include "ControllerPartners.h"
#include "ControllerView.h"
#include "EnginePorts.h"
#include "FeatureCatalog.h"
#include "MotionAlarmGate.h"
#include "SettingsStore.h"

namespace vimbrel::controller {

enum ModeId : int {
    kModeVideo = 0,
    kModeVideoOnly = 1,
    kModeAudio = 2,
    kModeImage = 3,
    kModeBrowse = 4,
    kModeMonitor = 5,
};
constexpr int kModeCount = 6;

enum CaptureState : int {
    kCaptureIdle = 0,
    kCaptureVideo = 1,      // recording in Mode_Video
    kCaptureVideoOnly = 2,  // recording in Mode_VideoOnly
    kCaptureAudio = 3,      // recording in Mode_Audio
    kCaptureMonitor = 4,
    kCapturePaused = 5,  // a recording paused, in Mode_Video .. Mode_Audio
};

// Everything the controller talks to; all used, none owned, all outliving
// the controller.
struct ControllerPorts {
    IControllerView& view;
    IControllerWindows& windows;
    ISettingsStore& store;
    const ITextCodePage& codePage;
    const ISystemClock& clock;
    ICaptureSequences& sequences;
    IMediaFiles& media;
    IBrowseControl& browse;
    ICameraModule& cameraModule;
    CFeatureCatalog& catalog;
    std::u16string programFolder;
};

class CCameraController {
public:
    explicit CCameraController(const ControllerPorts& ports);
    CCameraController(const CCameraController&) = delete;
    CCameraController& operator=(const CCameraController&) = delete;

    // Another part's implementation in place of the one given at
    // construction (the program's parts attach theirs at start-up).
    void AttachSequences(ICaptureSequences& sequences) { sequences_ = &sequences; }
    void AttachMedia(IMediaFiles& media) { media_ = &media; }
    void AttachBrowse(IBrowseControl& browse) { browse_ = &browse; }
    void AttachWindows(IControllerWindows& windows) { windows_ = &windows; }
    void AttachCameraModule(ICameraModule& module) { cameraModule_ = &module; }

    // --- Life and look -------------------------------------------------
    // Ends the workers, the rotation poll and the engine; the windows of the
    // overlay and function panel go. Safe to call twice.
    void Shutdown();
    void InitLook(unsigned uiLanguage);
    const std::array<std::uint32_t, kSkinColourCount>& GetSkinColors() const { return skinColors_; }
    const std::array<std::uint32_t, kButtonKeyCount>& GetButtonKeys() const { return buttonKeys_; }
    const UiFont& GetUIFont() const { return uiFont_; }
    int SetMainWindow(ControllerWindow window);
    ControllerWindow MainWindow() const { return mainWindow_; }
    int SetBannerRect(int x, int y, int width, int height);
    ControllerRect BannerRect() const { return bannerRect_; }
    int SetModePanels(const std::array<ControllerWindow, kModeCount>& panels);
    int Start();
    int IsStarted() const { return started_; }

    // --- Parts composed here ------------------------------------------
    CEngineBinding& Engine() { return engine_; }
    CControllerSettings& Settings() { return settings_; }
    CEngineDevices& Devices() { return devices_; }
    int StartEngine(ControllerWindow preview) { return devices_.StartEngine(preview); }
    int ApplySetting(int settingId, int value, int apply) { return settings_.ApplySetting(settingId, value, apply); }
    int GetSetting(int settingId, int* out) const { return settings_.GetSetting(settingId, out); }
    int CopySettings(SettingsBlock* out) const { return settings_.CopySettings(out); }
    int SetAudioVolume(double volume) { return settings_.SetAudioVolume(volume); }
    double GetAudioVolume() const { return settings_.GetAudioVolume(); }
    int SetPlaybackVolume(double volume) { return settings_.SetPlaybackVolume(volume); }
    int GetPlaybackVolume(double* volume) const { return settings_.GetPlaybackVolume(volume); }
    // Serialises a capture's name and its engine call; the capture
    // sequences take it around theirs too.
    std::mutex& CaptureLock() { return captureLock_; }

    // --- Modes and capture ---------------------------------------------
    int GetMode() const { return settings_.ModeId(); }
    int GetCaptureState() const { return captureState_.load(); }
    int SetMode(int modeId);
    int ApplyEngineMode(int modeId);
    int StartVideoRecording();
    int StartVideoOnlyRecording();
    int StartAudioRecording();
    int PauseRecording();
    int ResumeRecording();
    int StopRecording();
    int StartMonitor();
    int StopMonitor();
    int SetSensitivity(int level);
    int CaptureMonitorImage();
    // 1 when the alarm became a picture.
    int OnMotionEvent();
    float GetZoom() const { return zoom_; }
    int ZoomIn();
    int ZoomOut();
    int ZoomRestore();

    // --- Input from windows ------------------------------------------------
    int OnButton(std::uint32_t key);
    int OnButtonUp(std::uint32_t key);
    int OnSliderChanged(std::uint32_t key, double position);
    int OnHardwareCaptureButton();
    int OnHardwareZoomButton();
    int OnPowerEvent();
    // The about box over the main window, the mouse let go first.
    int ShowAbout();

    // --- Windows driven ----------------------------------------------------
    int EnablePanelButton(int panel, std::uint32_t key, int enable);
    int SetPanelToggle(int panel, std::uint32_t key, int state);
    int ResetPanelToggles(int panel);
    int DisablePanel(int panel);
    ControllerWindow CreateStatusOverlay(ControllerWindow parent, const ControllerRect& rect, int modeId);
    int RefreshOverlay();
    int SetOverlayMode(int modeId);
    int SetOverlayTime(int seconds);
    int SetOverlayIcon(int icon);
    ControllerWindow CreateModeWheel(ControllerWindow parent, const ControllerRect& rect);
    int SetWheelMode(int modeId, int animate);
    ControllerWindow CreateModePicture(ControllerWindow parent, const ControllerRect& rect);
    int ShowModePicture(int modeId);
    ControllerWindow CreateFunctionPanel(ControllerWindow parent, const ControllerRect& rect);
    int RelayoutFunctionPanel();
    int SetFunctionPanelMode(int modeId);
    int UpdateItemPopup(int settingId);
    // Folders in MediaKind order: image, video, audio, monitor.
    int SetBrowseWindow(ControllerWindow tabs, const char16_t* imageFolder, const char16_t* videoFolder,
                        const char16_t* audioFolder, const char16_t* monitorFolder);
    const std::u16string& MediaFolder(int mediaKind) const;
    int SelectBrowseTab(int modeId);
    int RefreshBrowser();
    int QueryLeaveBrowse();
    int SetPhotoCanvas(ControllerWindow canvas);
    ControllerWindow PhotoCanvas() const { return canvas_; }
    int ShowBrowseFile(const char16_t* path, int mediaClass);
    int RegisterSliderListener(ControllerWindow window, int kind, unsigned message);
    int NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam);

private:
    // What the settings and device code calls back; kept apart so the
    // controller itself has no virtual functions.
    class CCallbacks final : public IControllerCallbacks {
    public:
        explicit CCallbacks(CCameraController& owner) : owner_(owner) {}
        void RefreshOverlay() override;
        void RelayoutFunctionPanel() override;
        void UpdateItemPopup(int settingId) override;
        void UpdateDateOverlay(int dateType) override;
        void ClearLastDateText() override;
        void NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) override;
        void ApplyPhotoEffect(int entry) override;
        void SetPhotoFrame(int entry) override;
        void SetPenColor(int value) override;
        void SetStamp(int value) override;
        void SetCanvasTool(int tool) override;
        void SetCanvasPenWidth(int width) override;
        int BindVideoQuality() override;
        void RebindCameraModule() override;

    private:
        CCameraController& owner_;
    };

    using CaptureEntry = int(VB_CDECL*)(const char*);
    // The recording of a mode: its engine entry, its media kind and key.
    struct Recording {
        CaptureEntry entry;
        int mediaKind;
        std::uint32_t key;
    };
    Recording RecordingOf(int modeId) const;
    int StartRecording(int modeId);
    // Names a capture and hands the ANSI path to entry, under the capture
    // lock; 0 when no name or no ANSI path could be made.
    int CaptureNamed(int mediaKind, CaptureEntry entry);
    int ApplyZoom(float zoom);
    void ShowPictureArea(int modeId);
    void ShowBrowsedFile();
    void ShowOnlyPanel(int modeId);
    void ReapplyLiveLook(int modeId);
    void SetFormatOfMode(int modeId);
    void ResetPanelAfterStop(int modeId);
    void UseSelfTimerOnce();
    void OnRecordKey(int panel, std::uint32_t key);
    void OnCaptureImageKey();
    void OnStopKey();
    void OnStartMonitorKey();
    ControllerWindow Panel(int panel) const;

    IControllerView& view_;
    IControllerWindows* windows_;
    ICaptureSequences* sequences_;
    IMediaFiles* media_;
    IBrowseControl* browse_;
    ICameraModule* cameraModule_;
    const ISystemClock& clock_;
    const ITextCodePage& codePage_;

    CCallbacks callbacks_{*this};
    CEngineBinding engine_;
    CControllerSettings settings_;
    CEngineDevices devices_;

    ControllerWindow mainWindow_ = nullptr;
    ControllerRect bannerRect_{};
    std::array<std::uint32_t, kButtonKeyCount> buttonKeys_{};
    std::array<std::uint32_t, kSkinColourCount> skinColors_{};
    UiFont uiFont_{};
    int started_ = 0;
    bool shutDown_ = false;
    std::atomic<int> captureState_{kCaptureIdle};
    CSliderListeners listeners_;
    CMotionAlarmGate motionGate_;
    std::array<std::u16string, 4> mediaFolders_;
    float zoom_ = 1.0f;
    std::array<ControllerWindow, kModeCount> panels_{};
    ControllerWindow overlay_ = nullptr;
    ControllerWindow wheel_ = nullptr;
    ControllerWindow modePicture_ = nullptr;
    ControllerWindow functionPanel_ = nullptr;
    ControllerWindow browseTabs_ = nullptr;
    ControllerWindow canvas_ = nullptr;
    std::mutex captureLock_;
};

}  // namespace vimbrel::controller
