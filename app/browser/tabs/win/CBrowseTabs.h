// The browse area of the main window: a strip of four picture tabs, one per
// media kind, above four stacked thumbnail browsers of which the selected
// tab's is shown. Creates the media folders, owns the browsers, follows the
// program's mode, and is the controller's single way into the browsers.
// User-interface thread only.
#pragma once

#include "CThumbBrowser.h"
#include "IBrowseController.h"
#include "IBrowseTabsController.h"
#include "TabStrip.h"
#include "winowners/GdiOwners.h"

#include <framework/CWindow.h>

#include <windows.h>
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

namespace vimbrel::browser {

// Besides the mouse, the strip takes the controller's WM_MODE_CHANGED
// (0x4C8, wParam ModeId: the tab of the new mode is selected) and
// WM_BROWSE_REFRESH (0x4DC, after a recording: the selected browser's view
// is reset; new files arrive through that browser's own folder watch).
class CBrowseTabs : public framework::CWindow {
public:
    // The browsers report to browseController; the strip to tabsController.
    CBrowseTabs(IBrowseTabsController& tabsController, IBrowseController& browseController);
    ~CBrowseTabs() override;

    // Where the media folders and the thumbnail caches live instead of the
    // program's data root (tests).
    void SetDataRoot(const std::wstring& root) { dataRoot_ = root; }

    // Makes the strip on `rect` of parent, the media folders and the four
    // browsers; each out buffer takes its folder's path (260 UTF-16 units).
    // 0 for a null buffer, a path that does not fit, a folder that cannot
    // be made, or a window that cannot be made.
    int Create(HWND parent, const RECT& rect, wchar_t* imageFolder, wchar_t* videoFolder, wchar_t* audioFolder,
               wchar_t* monitorFolder);

    // Shows the browser of a media kind (0 image, 1 video, 2 audio,
    // 3 monitor); 0 for another value.
    int SelectTab(int mediaKind);

    // Forwarded to the selected tab's browser.
    int GetCurrentFile(std::wstring* path, int* mediaClass) const;
    int GetSelectedFile(int* index, std::wstring* path, int* mediaClass) const;
    int Navigate(int direction, int* moved);

    // Asked before the program leaves browsing: nothing here needs the
    // user's word, so the answer never holds the switch up.
    int QueryLeave() const { return 0; }

    // For tests: the state and what is drawn.
    int SelectedTab() const { return selected_; }
    int ShownTab() const { return shown_; }
    int HoverTab() const { return hover_.Current(); }
    CThumbBrowser& Browser(int mediaKind) { return *browsers_[static_cast<size_t>(mediaKind)]; }
    HWND Tooltip() const { return tooltip_; }
    HDC BackBuffer() const { return back_.get(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool MakeFolders(std::array<std::wstring, kTabCount>& folders) const;
    void LoadPictures();
    bool MakeBackBuffer();
    void DrawStrip();
    // False when the tab's picture is missing (only the background drawn).
    bool DrawTab(int tab, bool clicked);
    void Present();
    void OnMouseMove(int x, int y);
    void OnCaptureLost();
    void ApplyHover(const HoverChange& change);
    void OnClick(int x, int y);
    void ReleaseSurfaces();

    IBrowseTabsController& controller_;
    HWND tooltip_ = nullptr;
    std::array<std::unique_ptr<CThumbBrowser>, kTabCount> browsers_;
    RECT client_ = {};
    COLORREF background_ = RGB(255, 255, 255);
    HBRUSH backgroundBrush_ = nullptr;  // the window class keeps it; never deleted
    winowners::UniqueMemoryDC back_;
    winowners::UniqueBitmap backBitmap_;
    HGDIOBJ backOld_ = nullptr;
    int selected_ = 0;
    int shown_ = 0;
    TabHover hover_;
    // Index tab * 4 + look; the strip's end last.
    std::array<std::unique_ptr<Gdiplus::Bitmap>, kTabCount * 4> tabPictures_;
    std::unique_ptr<Gdiplus::Bitmap> stripEnd_;
    std::wstring dataRoot_;
};

}  // namespace vimbrel::browser
