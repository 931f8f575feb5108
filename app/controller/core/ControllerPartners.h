#pragma once
// The operations the mode and capture logic hands on to the other parts of
// the controller: capture sequences and their worker threads, media file
// names and file actions, browse display and playback with the photo
// canvas, the camera module, and the system clock of the motion alarm.

#include <string>

namespace vimbrel::controller {

// Still pictures, self-timers, bursts and the recording and date threads.
class ICaptureSequences {
public:
    virtual ~ICaptureSequences() = default;
    // One picture now with banner, flash and sound; 1 done, 0 refused.
    virtual int CaptureImage() = 0;
    // A new self-timer thread (an earlier one still running is ended):
    // seconds in the low 16 bits, the ContShooting entry or the recording
    // panel in the high 16 bits.
    virtual void StartImageTimer(int parameter) = 0;
    virtual void StartRecordTimer(int parameter) = 0;
    virtual void StartBurst(int pictures) = 0;
    // The recording-time display, anew for each recording.
    virtual void StartRecordingTime() = 0;
    virtual int UpdateDateOverlay(int dateType) = 0;
    virtual void ClearLastDateText() = 0;
    // Ends every worker before the engine and the windows they use go away.
    virtual void StopWorkers() = 0;
};

class IMediaFiles {
public:
    virtual ~IMediaFiles() = default;
    // The next free name of a capture of that media kind (0 image, 1 video,
    // 2 audio, 3 monitor); 0 when none can be made.
    virtual int MakeCaptureName(int mediaKind, std::u16string* name) = 0;
    virtual int StartSlideShow() = 0;
    virtual int MailSelected() = 0;
    virtual int PrintSelected() = 0;
};

class IBrowseControl {
public:
    virtual ~IBrowseControl() = default;
    // path null: the tab strip's current file; mediaClass -1 keeps the class.
    virtual int ShowMediaFile(const char16_t* path, int mediaClass) = 0;
    virtual int ShowAudioPicture() = 0;
    virtual int StopPlayback() = 0;
    virtual int PlayPause() = 0;
    // 0..100 percent of the playing file.
    virtual int SetPlaybackPosition(int percent) = 0;
    // 0 first, 1 previous, 2 next, 3 last.
    virtual int Navigate(int direction) = 0;
    // 1 saved, 2 cancel, 7 continue without saving.
    virtual int QuerySaveModified() = 0;
    virtual int SaveModifiedPhoto() = 0;
    // The canvas's settings.
    virtual void ApplyPhotoEffect(int entry) = 0;
    virtual void SetPhotoFrame(int entry) = 0;
    virtual void SetPenColor(int value) = 0;
    virtual void SetStamp(int entry) = 0;
    virtual void SetCanvasTool(int tool) = 0;
    virtual void SetCanvasPenWidth(int width) = 0;
};

class ICameraModule {
public:
    virtual ~ICameraModule() = default;
    virtual int BindVideoQuality() = 0;
    virtual void RebindCameraModule() = 0;
    virtual void StopRotationPoll() = 0;
};

class ISystemClock {
public:
    virtual ~ISystemClock() = default;
    // Second of the minute × 1000 + milliseconds of the system time (UTC),
    // 0..59,999.
    virtual int MillisecondOfMinute() const = 0;
};

}  // namespace vimbrel::controller
