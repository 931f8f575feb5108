// The media tab strip and its thumbnail browsers ask the controller through
// interfaces of their own; these objects answer them: the file to show from
// the program's controller, the question about an edited picture, the
// current file, clearing and stopping from its browse mode, and the menu's
// media actions on the shown browser's selection.
#pragma once

#include "CBrowseModeLink.h"
#include "CCameraController.h"
#include "CMediaActions.h"
#include "IBrowseController.h"
#include "IBrowseTabsController.h"

namespace vimbrel::mainwindow {

class CBrowseTabsControllerAdapter final : public browser::IBrowseTabsController {
public:
    CBrowseTabsControllerAdapter(controller::CCameraController& owner, CBrowseModeLink& browseMode)
        : owner_(owner), browseMode_(browseMode) {}
    COLORREF StripBackground() override;
    std::wstring TabTipText(const char* key) override;
    int QuerySaveModified() override { return browseMode_.QuerySaveModified(); }
    void ShowBrowseFile(const std::wstring& path, int mediaClass) override;

private:
    controller::CCameraController& owner_;
    CBrowseModeLink& browseMode_;
};

class CBrowseControllerAdapter final : public browser::IBrowseController {
public:
    CBrowseControllerAdapter(controller::CCameraController& owner, CBrowseModeLink& browseMode, CMediaActions& actions)
        : owner_(owner), browseMode_(browseMode), actions_(actions) {}
    int QuerySaveModified() override { return browseMode_.QuerySaveModified(); }
    void ShowBrowseFile(const std::wstring& path, int mediaClass) override;
    bool FollowBrowseFile(const std::wstring& path, int mediaClass) override {
        return browseMode_.FollowBrowseFile(path, mediaClass);
    }
    void ClearBrowsePicture() override { browseMode_.ClearBrowsePicture(); }
    void SetWheelMode(int mode, int animate) override { owner_.SetWheelMode(mode, animate); }
    void SetMode(int mode) override { owner_.SetMode(mode); }
    std::wstring GetCurrentFile() override { return browseMode_.CurrentFile(); }
    void StopPlayback() override { browseMode_.StopPlayback(); }
    void CopySelectedTo() override { actions_.CopySelectedTo(); }
    void PrintSelected() override { actions_.PrintSelected(); }
    void MailSelected() override { actions_.MailSelected(); }
    void SetDesktopWallpaper(const std::wstring& path) override { actions_.SetDesktopWallpaper(path); }
    std::wstring LanguageText(const char* key) override;

private:
    controller::CCameraController& owner_;
    CBrowseModeLink& browseMode_;
    CMediaActions& actions_;
};

}  // namespace vimbrel::mainwindow
