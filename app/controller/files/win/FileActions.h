#pragma once
// What the user can do with a media file from the browse panel or a
// thumbnail browser's menu. Each action takes the browse area's selection,
// the owner of its windows and the modal windows as parameters, and
// answers 1 done, 0 refused or failed.

#include "ControllerPorts.h"
#include "FileActionPrompts.h"
#include "MailClient.h"
#include "MediaSelection.h"

#include <windows.h>

#include <string>

namespace vimbrel::controller {

// Copies the current file to a path chosen in a save dialog (replacing a
// file there). 1 when copied; 0 with no current file, on cancel, when the
// destination is the file itself, or when the copy fails.
int CopySelectedTo(IMediaSelection* selection, HWND owner, IFileActionPrompts& prompts);

// Prints the current picture one inch square at the top-left of one page of
// the document "Zavu Camera". An audio file gets the message "can't print
// audio file" and 1. 0 with no current file, on cancel, or when the file is
// no picture or the printer refuses the document.
int PrintSelected(IMediaSelection* selection, HWND owner, IFileActionPrompts& prompts);

// The printing step on a printer the user chose: 0 when the file does not
// load as a picture (no document is started) or a document step fails.
int PrintPicture(IPrintJob& printer, const wchar_t* path);

// Opens the mail program's message window with every selected file
// attached. Without a mail program set up in the profile the user is told
// (IDS_MSG_MAPINOTINSTALL); a missing library is silent. 1 when the mail
// program took the message or the user cancelled it there.
int MailSelected(IMediaSelection* selection, IFileActionPrompts& prompts, HWND owner, const ILanguageStrings& texts,
                 IMailClient& mail);

// Makes path the desktop wallpaper through the shell's active desktop, and
// where that object cannot do it, through the system's wallpaper setting.
// 0 for a null path or a file that is not there.
int SetDesktopWallpaper(const wchar_t* path);

// Starts programFolder\flickwand.exe with "/run" in programFolder. 1 when
// it started; else a message (IDS_MSG_FILENOTFOUND for a missing program,
// IDS_MSG_FLICKWANDERROR otherwise) and 0.
int StartSlideShow(HWND owner, const std::wstring& programFolder, IFileActionPrompts& prompts,
                   const ILanguageStrings& texts);

}  // namespace vimbrel::controller
