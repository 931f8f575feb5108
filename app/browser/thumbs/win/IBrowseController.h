// What a thumbnail browser needs of the program's controller: which file to
// show, the mode switch on a double click, and the media operations of the
// context menu. The controller implements it; tests put a recorder here.
#pragma once

#include <string>

namespace vimbrel::browser {

class IBrowseController {
public:
    virtual ~IBrowseController() = default;
    // Before the current file changes: a modified photo may be saved.
    // 1 saved as a copy, 2 cancel (the click is dropped), 7 nothing to save.
    virtual int QuerySaveModified() = 0;
    virtual void ShowBrowseFile(const std::wstring& path, int mediaClass) = 0;
    // The current file changed without the user choosing another: its
    // folder changed under it (the file went, or a video proved to be a
    // sound). An edited picture on the canvas is not dropped unasked; false
    // when the user kept it, and it stays shown. An empty path: no file.
    virtual bool FollowBrowseFile(const std::wstring& path, int mediaClass) = 0;
    virtual void ClearBrowsePicture() = 0;
    virtual void SetWheelMode(int mode, int animate) = 0;
    virtual void SetMode(int mode) = 0;
    // The file being shown or played ("" for none).
    virtual std::wstring GetCurrentFile() = 0;
    virtual void StopPlayback() = 0;
    virtual void CopySelectedTo() = 0;
    virtual void PrintSelected() = 0;
    virtual void MailSelected() = 0;
    virtual void SetDesktopWallpaper(const std::wstring& path) = 0;
    // A text of the language file by its key ("IDS_TIP_COPYTO").
    virtual std::wstring LanguageText(const char* key) = 0;
};

// The program's mode for browsing (Mode_Browse).
constexpr int kModeBrowse = 4;

}  // namespace vimbrel::browser
