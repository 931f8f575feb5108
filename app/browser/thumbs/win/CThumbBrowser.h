// The thumbnail browser: the media files of one folder as a scrolling grid
// of framed thumbnails, two columns by four rows, with multiple selection
// and a context menu whose commands go to the controller. Owns the folder's
// thumbnail cache. User-interface thread only.
#pragma once

#include "BrowserSelection.h"
#include "CThumbCache.h"
#include "IBrowseController.h"
#include "winowners/GdiOwners.h"
#include "winowners/KernelOwners.h"

#include <framework/CWindow.h>

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

namespace vimbrel::browser {

constexpr int kScrollBarId = 107;

class CThumbBrowser : public framework::CWindow {
public:
    explicit CThumbBrowser(IBrowseController& controller);
    ~CThumbBrowser() override;

    // Where the cache keeps its files instead of the data root (tests).
    void SetCacheDataRoot(const std::wstring& root) { cache_.SetDataRoot(root); }

    int Create(HWND parent, const RECT& rect, const wchar_t* folder, int mediaKind);
    int GetCurrentFile(std::wstring* path, int* mediaClass) const;
    // *index -1: the number of selected items comes back in *index.
    int GetSelectedFile(int* index, std::wstring* path, int* mediaClass) const;
    int Navigate(int direction, int* moved);
    int ResetView();

    // For tests: what is drawn, selected and offered.
    HDC BackBuffer() const { return back_.get(); }
    const BrowserSelection& Selection() const { return selection_; }
    // The selection's places in the list, in selection order.
    std::vector<int> SelectedItems() const { return selection_.Items(EntryNames(cache_.Entries())); }
    int TopRow() const { return topRow_; }
    HMENU ContextMenu() const { return menu_.get(); }
    HWND ScrollBar() const { return scrollBar_; }
    CThumbCache& Cache() { return cache_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnVScroll(WPARAM wParam);
    void OnLeftClick(int x, int y, WPARAM keys);
    void OnRightClick(int x, int y);
    void OnCommand(int id);
    void DeleteSelected();
    // WM_BROWSE_REFRESH: the folder changed (or a video turned out to be a
    // sound), or the folder's first listing after a start on the index's
    // list is there; the list is taken from the folder watch
    // (kRefreshListed) or read again, and the selection follows its files.
    void Refresh(WPARAM how);
    // Recounts the list, lets the selection follow it and repaints.
    void Relist();
    // After a refresh: tells the controller of a current file that changed.
    void FollowCurrent(const std::u16string& name, int mediaClass);
    // The file the controller shows, as a name of this folder; empty when
    // it shows none of this browser's files.
    std::u16string ShownName() const;
    std::wstring PathOf(std::u16string_view name) const;
    int CurrentClass() const;
    void Paint(int topRow);
    void Repaint();
    void DrawCell(int cell);
    void ClearArea(int top, int bottom);
    void RedrawItem(int item);
    void Present();
    void UpdateScrollInfo();
    void ReportCurrent();
    int ItemAt(int x, int y) const;
    EntryNames List() const { return EntryNames(cache_.Entries()); }
    bool ItemShown(int item) const;
    void BuildMenu();

    IBrowseController& controller_;
    int items_ = 0;
    int rows_ = 0;
    int topRow_ = 0;
    int paintedRow_ = -1;
    BrowserSelection selection_;
    CThumbCache cache_;
    RECT client_ = {};
    int drawWidth_ = 0;
    int drawHeight_ = 0;
    int mediaKind_ = -1;
    std::wstring folder_;
    // The user kept an edited picture when a refresh moved the current item
    // to another file: that item is current but not shown, and a click on
    // it shows it.
    bool keptOtherPicture_ = false;
    // The user clicked or navigated since the browser was made.
    bool userChose_ = false;
    winowners::UniqueBrush white_;
    std::unique_ptr<Gdiplus::Bitmap> frame_, frameHover_, badge_;
    int frameWidth_ = 110, frameHeight_ = 85;
    winowners::UniqueMemoryDC thumbDc_;
    winowners::UniqueBitmap thumbBitmap_;
    HGDIOBJ thumbOld_ = nullptr;
    winowners::UniqueMemoryDC back_;
    winowners::UniqueBitmap backBitmap_;
    HGDIOBJ backOld_ = nullptr;
    HWND scrollBar_ = nullptr;
    winowners::UniqueMenu menu_;
};

}  // namespace vimbrel::browser
