// What the user does with media files from the browse panel's keys and the
// thumbnail browsers' menu: copy to, print, e-mail, desktop wallpaper and
// the slide show, on the selection of the shown browser. One object serves
// both ways in, so a key and a menu item do exactly the same.
#pragma once

#include "ControllerPorts.h"
#include "FileActionPrompts.h"
#include "MailClient.h"
#include "MediaSelection.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace vimbrel::mainwindow {

// What the actions use besides the selection: the program hands in the
// system's dialogs, its language texts and mail program; tests their own.
struct MediaActionServices {
    controller::IFileActionPrompts& prompts;
    const controller::ILanguageStrings& texts;
    // A mail program for one message; its library goes with it.
    std::function<std::unique_ptr<controller::IMailClient>()> mailClient;
    std::wstring programFolder;
};

class CMediaActions {
public:
    // selection and the services' parts are used, not owned, and outlive
    // this object. owner names the dialogs' owner at each action: the main
    // window is made after this object.
    CMediaActions(controller::IMediaSelection& selection, std::function<HWND()> owner, MediaActionServices services)
        : selection_(selection), owner_(std::move(owner)), services_(std::move(services)) {}

    // Each answers 1 done, 0 refused or failed (see FileActions.h).
    int CopySelectedTo();
    int PrintSelected();
    int MailSelected();
    // path: the current item as its browser names it; "" is refused.
    int SetDesktopWallpaper(const std::wstring& path);
    int StartSlideShow();

private:
    HWND Owner() const { return owner_ ? owner_() : nullptr; }

    controller::IMediaSelection& selection_;
    std::function<HWND()> owner_;
    MediaActionServices services_;
};

// The mail program of the user's profile (MAPI32.DLL).
std::unique_ptr<controller::IMailClient> MakeSystemMailClient();

}  // namespace vimbrel::mainwindow
