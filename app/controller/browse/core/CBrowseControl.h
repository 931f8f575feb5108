#pragma once
// Browse mode of the main program: what the photo canvas shows for the
// browser's current file, the playback of video and audio files through
// the engine with its progress worker, the canvas settings, and the
// question and copies that keep edited pictures from being lost.
//
// Entered from the user-interface thread; the progress worker reads the
// engine's playback time and calls back the slider listeners, the overlay
// and the end of playback. The play state is atomic; a new playback or a
// stop ends the previous worker before it goes on.

#include <atomic>
#include <string>

#include "BrowsePorts.h"
#include "ControllerPartners.h"

namespace vimbrel::controller {

enum PlayState : int { kPlayStopped = 0, kPlayPlaying = 1, kPlayPaused = 2 };

// Media classes as the browsers report them.
enum BrowseClass : int { kClassNone = -1, kClassPicture = 0, kClassVideo = 1, kClassAudio = 2 };

// Answers of the save-modified question.
constexpr int kAnswerSaved = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerContinue = 7;

struct BrowsePorts {
    IBrowseHost& host;
    IBrowseTabsPort& tabs;
    IPhotoCanvasPort& canvas;
    ISaveModifiedPrompt& prompt;
    IProgressWorker& progress;
    std::u16string programFolder;
};

class CBrowseControl final : public IBrowseControl {
public:
    explicit CBrowseControl(const BrowsePorts& ports);
    ~CBrowseControl() override;
    CBrowseControl(const CBrowseControl&) = delete;
    CBrowseControl& operator=(const CBrowseControl&) = delete;

    // --- The controller's browse operations ------------------------------
    int ShowMediaFile(const char16_t* path, int mediaClass) override;
    int ShowAudioPicture() override;
    int StopPlayback() override;
    int PlayPause() override;
    int SetPlaybackPosition(int percent) override;
    int Navigate(int direction) override;
    int QuerySaveModified() override;
    int SaveModifiedPhoto() override;
    void ApplyPhotoEffect(int entry) override;
    void SetPhotoFrame(int entry) override;
    void SetPenColor(int value) override;
    void SetStamp(int entry) override;
    void SetCanvasTool(int tool) override;
    void SetCanvasPenWidth(int width) override;

    // --- Also reached by the main dialog ------------------------------------
    // The browser's current file changed without the user choosing another
    // (its folder changed under it). In browse mode an edited picture that
    // would go is offered for saving first; 0 when the user cancels, and it
    // stays shown. The file already shown is not loaded again.
    int FollowMediaFile(const char16_t* path, int mediaClass);
    int PlayMediaFile(const std::u16string& path);
    void OnPlaybackEnded();
    // The canvas's first edit after a picture was set or saved.
    int OnPhotoModified();
    int IsPhotoModified() const;
    int SavePhoto(const std::u16string& path);
    int ShowPicture(const std::u16string& path);
    int ClearBrowsePicture();

    int PlayStateNow() const { return playState_.load(); }
    const std::u16string& CurrentMediaFile() const { return currentFile_; }
    const std::u16string& BrowseFile() const { return browseFile_; }
    int BrowseFileClass() const { return browseClass_; }

private:
    const EngineApi* Engine() const { return host_.LoadedEngine(); }
    int EnableKey(int button, int enable);
    void SetPlayToggle(bool playing);
    void EnablePlaybackKeys(bool enable);
    // Saves the canvas under the next free copy name of the current file.
    bool SaveAsCopy();
    void RunProgress(IProgressContext& context, float duration);

    IBrowseHost& host_;
    IBrowseTabsPort& tabs_;
    IPhotoCanvasPort& canvas_;
    ISaveModifiedPrompt& prompt_;
    IProgressWorker& progress_;
    std::u16string programFolder_;

    std::u16string browseFile_;
    int browseClass_ = kClassNone;
    std::u16string currentFile_;
    std::atomic<int> playState_{kPlayStopped};
};

}  // namespace vimbrel::controller
