// The windows' way to the program's browse mode for what they ask of it
// directly: whether an edited picture may be left, the file being shown or
// played, emptying the canvas and stopping playback. Browse mode belongs to
// the main dialog and comes and goes with it; the windows outlive it, so
// without it the answers are those of nothing being shown or edited.
// User-interface thread only.
#pragma once

#include <string>

namespace vimbrel::controller {
class CBrowseControl;
}

namespace vimbrel::mainwindow {

class CBrowseModeLink {
public:
    // control: used, not owned; null once browse mode is gone.
    void SetControl(controller::CBrowseControl* control) { control_ = control; }
    bool Linked() const { return control_ != nullptr; }

    // 1 saved as a copy, 2 cancel, 7 continue (also without browse mode).
    int QuerySaveModified();
    // The browser's current file changed under the user; false when an
    // edited picture is kept shown instead (also true without browse mode).
    bool FollowBrowseFile(const std::wstring& path, int mediaClass);
    // The file shown or played on the canvas; "" for none.
    std::wstring CurrentFile() const;
    void ClearBrowsePicture();
    void StopPlayback();

private:
    controller::CBrowseControl* control_ = nullptr;
};

}  // namespace vimbrel::mainwindow
