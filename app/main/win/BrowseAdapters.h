// The media tab strip and its thumbnail browsers ask the controller through
// interfaces of their own; these objects answer them from the program's
// controller. The media actions of the browsers' menu (copy, print, mail,
// wallpaper) and playback belong to parts not joined to this program yet:
// they do nothing.
#pragma once

#include "CCameraController.h"
#include "IBrowseController.h"
#include "IBrowseTabsController.h"

namespace vimbrel::mainwindow {

// Nothing in the program marks a photo as modified yet, so there is never
// anything to save before the browser moves on.
constexpr int kNothingToSave = 7;

class CBrowseTabsControllerAdapter final : public browser::IBrowseTabsController {
public:
    explicit CBrowseTabsControllerAdapter(controller::CCameraController& owner) : owner_(owner) {}
    COLORREF StripBackground() override;
    std::wstring TabTipText(const char* key) override;
    int QuerySaveModified() override { return kNothingToSave; }
    void ShowBrowseFile(const std::wstring& path, int mediaClass) override;

private:
    controller::CCameraController& owner_;
};

class CBrowseControllerAdapter final : public browser::IBrowseController {
public:
    explicit CBrowseControllerAdapter(controller::CCameraController& owner) : owner_(owner) {}
    int QuerySaveModified() override { return kNothingToSave; }
    void ShowBrowseFile(const std::wstring& path, int mediaClass) override;
    void ClearBrowsePicture() override {}
    void SetWheelMode(int mode, int animate) override { owner_.SetWheelMode(mode, animate); }
    void SetMode(int mode) override { owner_.SetMode(mode); }
    std::wstring GetCurrentFile() override { return std::wstring(); }
    void StopPlayback() override {}
    void CopySelectedTo() override {}
    void PrintSelected() override {}
    void MailSelected() override {}
    void SetDesktopWallpaper(const std::wstring&) override {}
    std::wstring LanguageText(const char* key) override;

private:
    controller::CCameraController& owner_;
};

}  // namespace vimbrel::mainwindow
