// What the media tab strip needs of the program's controller: the strip's
// colour, the tooltip texts, whether a modified photo lets the user switch
// tabs, and which file to show once a tab is switched. The controller
// implements it; tests put a recorder here.
#pragma once

#include <windows.h>

#include <string>

namespace vimbrel::browser {

class IBrowseTabsController {
public:
    virtual ~IBrowseTabsController() = default;
    // The strip's background: skin colour 10 of the controller's colours.
    virtual COLORREF StripBackground() = 0;
    // A text of the language file by its key ("IDS_TIP_IMAGE").
    virtual std::wstring TabTipText(const char* key) = 0;
    // Before another tab is shown: a modified photo may be saved as a copy.
    // 1 saved as a copy, 2 cancel, 7 nothing modified or not saved; only 7
    // lets the tab change.
    virtual int QuerySaveModified() = 0;
    // The file of the newly shown browser; "" and class -1 when it has none.
    virtual void ShowBrowseFile(const std::wstring& path, int mediaClass) = 0;
};

}  // namespace vimbrel::browser
