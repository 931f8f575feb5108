#pragma once
// Everything browse mode needs on Windows, owned in one place: the browse
// control with its ports on the real canvas, tab strip, message box and
// progress thread. The main program makes one beside the controller,
// attaches it, and hands it the windows once they exist.

#include <windows.h>

#include <string>

#include "CBrowseControl.h"
#include "CCanvasBrowsePort.h"
#include "CControllerBrowseHost.h"
#include "CProgressThread.h"
#include "CSaveModifiedBox.h"
#include "CTabsBrowsePort.h"

namespace vimbrel::controller {

class CBrowseMode {
public:
    CBrowseMode(CCameraController& controller, const std::u16string& programFolder);
    ~CBrowseMode();
    CBrowseMode(const CBrowseMode&) = delete;
    CBrowseMode& operator=(const CBrowseMode&) = delete;

    // Makes the controller call this browse mode. The controller outlives
    // it: on destruction the controller is handed a stand-in that refuses.
    void Attach();
    void SetCanvas(canvas::CPhotoCanvas* canvas) { canvas_.SetCanvas(canvas); }
    void SetTabs(browser::CBrowseTabs* tabs) { tabs_.SetTabs(tabs); }
    void SetPromptOwner(HWND owner) { prompt_.SetOwner(owner); }

    CBrowseControl& Control() { return control_; }

private:
    CCameraController& controller_;
    bool attached_ = false;
    CControllerBrowseHost host_;
    CTabsBrowsePort tabs_;
    CCanvasBrowsePort canvas_;
    CSaveModifiedBox prompt_;
    CProgressThread progress_;
    CBrowseControl control_;
};

}  // namespace vimbrel::controller
