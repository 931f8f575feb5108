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
    void SetCanvas(canvas::CPhotoCanvas* canvas) { m_canvas.SetCanvas(canvas); }
    void SetTabs(browser::CBrowseTabs* tabs) { m_tabs.SetTabs(tabs); }
    void SetPromptOwner(HWND owner) { m_prompt.SetOwner(owner); }

    CBrowseControl& Control() { return m_control; }

private:
    CCameraController& m_controller;
    bool m_attached = false;
    CControllerBrowseHost m_host;
    CTabsBrowsePort m_tabs;
    CCanvasBrowsePort m_canvas;
    CSaveModifiedBox m_prompt;
    CProgressThread m_progress;
    CBrowseControl m_control;
};

}  // namespace vimbrel::controller
