#include "CBrowseModeLink.h"

#include "CBrowseControl.h"
#include "WideText.h"

namespace vimbrel::mainwindow {

int CBrowseModeLink::QuerySaveModified() {
    return control_ ? control_->QuerySaveModified() : controller::kAnswerContinue;
}

bool CBrowseModeLink::FollowBrowseFile(const std::wstring& path, int mediaClass) {
    if (!control_) return true;
    return control_->FollowMediaFile(CopyToU16(path).c_str(), mediaClass) != 0;
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
