// The controller's capture partners on the running system: capture names
// from the media folders, the capture sequences (still pictures with
// banner, flash and sound, self-timers, bursts, the recording time and the
// date stamp) with their worker threads, and the browse panel's mail,
// print and slide-show keys through the media actions. Made on the
// interface thread, whose message window drives the flash and the shutter
// sound.
#pragma once

#include "AnsiCodePage.h"
#include "CBoardProductQuery.h"
#include "CCameraController.h"
#include "CCaptureSequences.h"
#include "CControllerSequenceHost.h"
#include "CWindowCaptureFx.h"
#include "CWorkerThreads.h"
#include "CMediaActions.h"
#include "PanelAcpi.h"
#include "SystemPorts.h"
#include "SystemSequenceClock.h"

namespace vimbrel::mainwindow {

class CCaptureParts final : public controller::IMediaFiles {
public:
    // Attaches itself to owner as its media files and capture sequences.
    // actions and board: used, not owned; both outlive this object.
    CCaptureParts(controller::CCameraController& owner, CMediaActions& actions,
                  const controller::CBoardProductQuery& board);
    ~CCaptureParts() override;
    CCaptureParts(const CCaptureParts&) = delete;
    CCaptureParts& operator=(const CCaptureParts&) = delete;

    int MakeCaptureName(int mediaKind, std::u16string* name) override;
    int StartSlideShow() override { return actions_.StartSlideShow(); }
    int MailSelected() override { return actions_.MailSelected(); }
    int PrintSelected() override { return actions_.PrintSelected(); }

private:
    controller::CCameraController& owner_;
    CMediaActions& actions_;
    controller::CAnsiCodePage codePage_;
    controller::CSystemLocalClock localClock_;
    controller::CDevicePanelAcpi acpi_;
    controller::CWindowCaptureFx fx_;
    controller::CWorkerThreads workers_;
    controller::CSystemSequenceClock sequenceClock_;
    controller::CControllerSequenceHost host_;
    controller::CCaptureSequences sequences_;
};

}  // namespace vimbrel::mainwindow
