#include "CBrowseModeLink.h"

#include "CBrowseControl.h"
#include "WideText.h"

namespace vimbrel::mainwindow {

int CBrowseModeLink::QuerySaveModified() {
    return control_ ? control_->QuerySaveModified() : controller::kAnswerContinue;
}

std::wstring CBrowseModeLink::CurrentFile() const {
    if (!control_) return std::wstring();
    return CopyToWide(control_->CurrentMediaFile());
}

void CBrowseModeLink::ClearBrowsePicture() {
    if (control_) control_->ClearBrowsePicture();
}

void CBrowseModeLink::StopPlayback() {
    if (control_) control_->StopPlayback();
}

}  // namespace vimbrel::mainwindow
