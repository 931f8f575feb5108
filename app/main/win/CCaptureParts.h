// The controller's capture partners on the running system: capture names
// from the media folders, the slide show, and the capture sequences (still
// pictures with banner, flash and sound, self-timers, bursts, the recording
// time and the date stamp) with their worker threads. Made on the interface
// thread, whose message window drives the flash and the shutter sound.
#pragma once

#include "AnsiCodePage.h"
#include "CCameraController.h"
#include "CCaptureSequences.h"
#include "CControllerSequenceHost.h"
#include "CWindowCaptureFx.h"
#include "CWorkerThreads.h"
#include "FileActionPrompts.h"
#include "PanelAcpi.h"
#include "SystemPorts.h"
#include "SystemSequenceClock.h"

namespace vimbrel::mainwindow {

class CCaptureParts final : public controller::IMediaFiles {
public:
    // Attaches itself to owner as its media files and capture sequences.
    explicit CCaptureParts(controller::CCameraController& owner);
    ~CCaptureParts() override;
    CCaptureParts(const CCaptureParts&) = delete;
    CCaptureParts& operator=(const CCaptureParts&) = delete;

    int MakeCaptureName(int mediaKind, std::u16string* name) override;
    int StartSlideShow() override;
    // The selection lives in the browsers, which hand none to the
    // controller yet: nothing to mail or print.
    int MailSelected() override { return 0; }
    int PrintSelected() override { return 0; }

private:
    controller::CCameraController& owner_;
    controller::CAnsiCodePage codePage_;
    controller::CSystemLocalClock localClock_;
    controller::CSystemFileActionPrompts prompts_;
    controller::CDevicePanelAcpi acpi_;
    controller::CWindowCaptureFx fx_;
    controller::CWorkerThreads workers_;
    controller::CSystemSequenceClock sequenceClock_;
    controller::CControllerSequenceHost host_;
    controller::CCaptureSequences sequences_;
};

}  // namespace vimbrel::mainwindow
