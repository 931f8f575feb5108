#include "CThumbBrowser.h"
#include "winowners/GdiOwners.h"

#include "BrowserGrid.h"
#include "BrowserMessages.h"
#include "MediaNames.h"
#include "SkinImageLoader.h"
#include "WideText.h"

#include <windowsx.h>

namespace vimbrel::browser {
namespace {

constexpr const char* kMenuKeys[5] = {"IDS_TIP_DELETEITEM", "IDS_TIP_COPYTO", "IDS_TIP_EMAIL", "IDS_TIP_PRINT",
                                      "IDS_TIP_SETDESKTOP"};

std::unique_ptr<Gdiplus::Bitmap> BrowseImage(const wchar_t* name, const wchar_t* type) {
    return ui::LoadSkinImage(name, ui::SkinSourceKind::OwnResources, nullptr, type);
}

bool MakeSurface(int width, int height, winowners::UniqueMemoryDC& dc, winowners::UniqueBitmap& bitmap, HGDIOBJ& old) {
    {
        const auto screen = winowners::GetDCOwner(nullptr);
        dc.reset(CreateCompatibleDC(screen.get()));
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width > 0 ? width : 1, height > 0 ? height : 1));
    }
    if (!dc || !bitmap) return false;
    old = SelectObject(dc.get(), bitmap.get());
    return true;
}

}  // namespace

CThumbBrowser::CThumbBrowser(IBrowseController& controller) : controller_(controller) {}

CThumbBrowser::~CThumbBrowser() {
    // The window goes first and closes the cache as it goes (WM_DESTROY);
    // a browser whose window was never made closes it here.
    Destroy();
    cache_.Close();
    if (scrollBar_ && IsWindow(scrollBar_)) DestroyWindow(scrollBar_);
    if (back_ && backOld_) SelectObject(back_.get(), backOld_);
    if (thumbDc_ && thumbOld_) SelectObject(thumbDc_.get(), thumbOld_);
}

int CThumbBrowser::Create(HWND parent, const RECT& rect, const wchar_t* folder, int mediaKind) {
    if (!parent || !folder || mediaKind < 0 || mediaKind > 3 || Handle()) return 0;
    mediaKind_ = mediaKind;
    folder_ = folder;
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    const wchar_t* cls = framework::RegisterAnonymousClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), white_.get());
    if (!cls || !CWindow::Create(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0)) return 0;
    GetClientRect(Handle(), &client_);
    const int width = client_.right - client_.left;
    const int height = client_.bottom - client_.top;
    scrollBar_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, width - kScrollBarWidth, 5,
                                 kScrollBarWidth, height - 15, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kScrollBarId)), GetModuleHandleW(nullptr),
                                 nullptr);
    ShowWindow(scrollBar_, SW_SHOW);

    frame_ = BrowseImage(L"frame.png", L"BROWSE");
    frameHover_ = BrowseImage(L"frame_hover.png", L"BROWSE");
    badge_ = BrowseImage(L"video.png", L"TOLVEX");
    if (!frame_ || !frameHover_ || !badge_) return 0;
    frameWidth_ = static_cast<int>(frame_->GetWidth());
    frameHeight_ = static_cast<int>(frame_->GetHeight());

    // The browser does not depend on the cache opening: without it the grid
    // is empty.
    cache_.Open(folder, 0, kGridCells, Handle(), mediaKind);

    drawWidth_ = width - kScrollBarWidth;
    drawHeight_ = height;
    if (!MakeSurface(100, 75, thumbDc_, thumbBitmap_, thumbOld_) ||
        !MakeSurface(drawWidth_, drawHeight_, back_, backBitmap_, backOld_)) {
        return 0;
    }
    items_ = static_cast<int>(cache_.GetCount());
    rows_ = RowCount(items_);
    selection_.Reset(List());
    UpdateScrollInfo();
    paintedRow_ = -1;
    topRow_ = 0;
    Paint(0);
    BuildMenu();
    return 1;
}

void CThumbBrowser::BuildMenu() {
    menu_.reset(CreatePopupMenu());
    for (int id = 1; id <= 5; ++id) {
        const std::wstring text = controller_.LanguageText(kMenuKeys[id - 1]);
        AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
    }
}

void CThumbBrowser::UpdateScrollInfo() {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    if (rows_ > 0) {
        info.nMax = rows_ - 1;
        info.nPage = kGridRows;
    } else {
        info.nMax = 0;
        info.nPage = static_cast<UINT>(drawHeight_ > 10 ? drawHeight_ - 10 : 0);
    }
    info.nPos = topRow_;
    SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
}

bool CThumbBrowser::ItemShown(int item) const { return item >= 2 * topRow_ && item < 2 * topRow_ + kGridCells; }

void CThumbBrowser::ClearArea(int top, int bottom) {
    RECT r = {0, top, drawWidth_, bottom};
    FillRect(back_.get(), &r, white_.get());
}

void CThumbBrowser::DrawCell(int cell) {
    const GridPoint f = FrameOrigin(cell);
    RECT area = {f.x, f.y, f.x + frameWidth_, f.y + frameHeight_};
    FillRect(back_.get(), &area, white_.get());
    const int item = 2 * topRow_ + cell;
    const bool isItem = item < items_;
    {
        Gdiplus::Graphics g(back_.get());
        const bool selected = isItem && selection_.Contains(List().NameAt(item));
        Gdiplus::Bitmap* frame = selected ? frameHover_.get() : frame_.get();
        g.DrawImage(frame, f.x, f.y, frameWidth_, frameHeight_);
    }
    if (!isItem) return;
    int w = 0, h = 0;
    if (cache_.GetThumb(item, &w, &h, thumbDc_.get())) {
        const GridPoint t = ThumbOrigin(cell, w, h);
        BitBlt(back_.get(), t.x, t.y, w, h, thumbDc_.get(), 0, 0, SRCCOPY);
    }
    if (cache_.GetClass(item) == kVideo) {
        Gdiplus::Graphics g(back_.get());
        const GridPoint b = BadgeOrigin(cell);
        g.DrawImage(badge_.get(), b.x, b.y, static_cast<INT>(badge_->GetWidth()),
                    static_cast<INT>(badge_->GetHeight()));
    }
}

void CThumbBrowser::Paint(int topRow) {
    if (topRow < 0 || !back_) return;
    const PaintPlan plan = PlanPaint(paintedRow_, topRow);
    if (plan.nothing) return;
    topRow_ = topRow;
    if (plan.everything) {
        ClearArea(0, drawHeight_);
        for (int k = 0; k < kGridCells; ++k) DrawCell(k);
    } else {
        // Shift what is still in view by whole rows, then draw the rows
        // that came in.
        const int dy = plan.shiftRows * kRowPitch;
        BitBlt(back_.get(), 0, dy, drawWidth_, drawHeight_, back_.get(), 0, 0, SRCCOPY);
        if (dy < 0) {
            ClearArea(FrameOrigin(plan.firstCell).y, drawHeight_);
        } else {
            ClearArea(0, FrameOrigin(plan.lastCell).y + kRowPitch);
        }
        // At the end of the list, cells up to the count rounded up to even.
        const int lastItem = (items_ + 1) / 2 * 2;
        for (int k = plan.firstCell; k <= plan.lastCell; ++k) {
            if (dy < 0 && 2 * topRow_ + k >= lastItem) break;
            DrawCell(k);
        }
    }
    paintedRow_ = topRow;
    Present();
}

void CThumbBrowser::Repaint() {
    paintedRow_ = -1;
    Paint(topRow_);
}

void CThumbBrowser::RedrawItem(int item) {
    if (!ItemShown(item)) return;
    DrawCell(item - 2 * topRow_);
    Present();
}

void CThumbBrowser::Present() {
    if (!Handle()) return;
    const auto dc = winowners::GetDCOwner(Handle());
    if (!dc) return;
    BitBlt(dc.get(), 0, 0, drawWidth_, drawHeight_, back_.get(), 0, 0, SRCCOPY);
}

void CThumbBrowser::ReportCurrent() {
    keptOtherPicture_ = false;
    std::wstring path;
    int cls = -1;
    if (GetCurrentFile(&path, &cls)) {
        controller_.ShowBrowseFile(path, cls);
    } else {
        controller_.ClearBrowsePicture();
    }
}

std::wstring CThumbBrowser::PathOf(std::u16string_view name) const { return folder_ + L"\\" + CopyToWide(name); }

int CThumbBrowser::CurrentClass() const { return cache_.GetClass(selection_.Current(List())); }

int CThumbBrowser::GetCurrentFile(std::wstring* path, int* mediaClass) const {
    if (!path || !mediaClass) return 0;
    const int current = selection_.Current(List());
    if (current < 0 || current >= items_) return 0;
    if (!cache_.GetPath(current, *path)) return 0;
    *mediaClass = cache_.GetClass(current);
    return 1;
}

int CThumbBrowser::GetSelectedFile(int* index, std::wstring* path, int* mediaClass) const {
    if (!index) return 0;
    if (*index == -1) {
        *index = static_cast<int>(selection_.Count());
        return 1;
    }
    if (!path || !mediaClass || *index < 0 || static_cast<size_t>(*index) >= selection_.Count()) return 0;
    // A selected file that is no longer listed names nothing to act on.
    const int item = List().IndexOf(selection_.Names()[static_cast<size_t>(*index)]);
    if (item < 0 || !cache_.GetPath(item, *path)) return 0;
    *mediaClass = cache_.GetClass(item);
    return 1;
}

int CThumbBrowser::Navigate(int direction, int* moved) {
    if (!moved || direction < 0 || direction > 3) return 0;
    *moved = 0;
    userChose_ = true;
    const EntryNames list = List();
    const int current = selection_.Current(list);
    const int target = NavigateTarget(direction, current, items_);
    if (target < 0 || target == current) return 1;
    selection_.SelectOnly(list.NameAt(target));
    topRow_ = TopRowShowing(target, topRow_);
    SetScrollPos(scrollBar_, SB_CTL, topRow_, TRUE);
    Repaint();
    *moved = 1;
    return 1;
}

void CThumbBrowser::Relist() {
    items_ = static_cast<int>(cache_.GetCount());
    rows_ = RowCount(items_);
    // Files that went drop out of the selection; with none left, the file
    // on the canvas stays current when this folder still holds it.
    selection_.Follow(List(), ShownName());
    topRow_ = ResetTopRow(topRow_, items_);
    UpdateScrollInfo();
    Repaint();
}

int CThumbBrowser::ResetView() {
    Relist();
    ReportCurrent();
    return 1;
}

void CThumbBrowser::Refresh(WPARAM how) {
    const std::u16string name(selection_.CurrentName());
    const int cls = CurrentClass();
    const bool wasIndexList = cache_.ListFromIndex();
    if (how == kRefreshListed) {
        cache_.TakeWatchListing();
    } else {
        cache_.Rescan();
    }
    // The browser opened on the index's list. The folder's own list makes
    // its first file current, as a start does, unless the user chose
    // meanwhile.
    if (wasIndexList && !cache_.ListFromIndex() && !userChose_) selection_.Reset(List());
    Relist();
    FollowCurrent(name, cls);
}

void CThumbBrowser::FollowCurrent(const std::u16string& name, int mediaClass) {
    // A browser that is not shown has nothing on the canvas; its tab tells
    // the controller its current file when it is shown.
    if (!(GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE)) return;
    const std::u16string_view now = selection_.CurrentName();
    if (now == name && CurrentClass() == mediaClass) return;
    // The file on the canvas became current again (a right-clicked file
    // was deleted): nothing to show anew.
    if (now != name && !now.empty() && now == ShownName()) return;
    std::wstring path;
    int cls = -1;
    if (!GetCurrentFile(&path, &cls)) {
        path.clear();
        cls = -1;
    }
    keptOtherPicture_ = !controller_.FollowBrowseFile(path, cls);
}

std::u16string CThumbBrowser::ShownName() const {
    const std::wstring shown = controller_.GetCurrentFile();
    const size_t cut = folder_.size();
    if (shown.size() <= cut + 1 || shown[cut] != L'\\') return {};
    if (_wcsnicmp(shown.c_str(), folder_.c_str(), cut) != 0) return {};
    if (shown.find(L'\\', cut + 1) != std::wstring::npos) return {};
    return CopyToU16(std::wstring_view(shown).substr(cut + 1));
}

int CThumbBrowser::ItemAt(int x, int y) const {
    const int cell = HitCell(x, y, client_.right - client_.left, client_.bottom - client_.top);
    if (cell < 0) return -1;
    const int item = 2 * topRow_ + cell;
    return item < items_ ? item : -1;
}

void CThumbBrowser::OnVScroll(WPARAM wParam) {
    ScrollRequest request = ScrollRequest::Other;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: request = ScrollRequest::LineUp; break;
    case SB_LINEDOWN: request = ScrollRequest::LineDown; break;
    case SB_PAGEUP: request = ScrollRequest::PageUp; break;
    case SB_PAGEDOWN: request = ScrollRequest::PageDown; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: request = ScrollRequest::Thumb; break;
    case SB_TOP: request = ScrollRequest::Top; break;
    case SB_BOTTOM: request = ScrollRequest::Bottom; break;
    default: return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(scrollBar_, SB_CTL, &info);
    const int thumb = (request == ScrollRequest::Thumb) ? static_cast<int>(HIWORD(wParam)) : 0;
    const int next = ScrollTarget(request, info.nPos, thumb, info.nMax, kGridRows);
    if (next < 0) return;
    SetScrollPos(scrollBar_, SB_CTL, next, TRUE);
    Paint(next);
}

void CThumbBrowser::OnLeftClick(int x, int y, WPARAM keys) {
    userChose_ = true;
    const int item = ItemAt(x, y);
    const EntryNames list = List();
    if (keys & MK_CONTROL) {
        if (item >= 0 && selection_.Toggle(item, list)) RedrawItem(item);
        return;
    }
    if (keys & MK_SHIFT) {
        if (item >= 0 && selection_.SelectRange(item, list)) Repaint();
        return;
    }
    if (items_ == 0) return;
    if (item >= 0 && selection_.IsOnlySelection(list.NameAt(item)) && !keptOtherPicture_) return;
    if (controller_.QuerySaveModified() == 2) return;
    // A click beside the items keeps the current item, alone.
    const int previous = selection_.Current(list);
    const int target = item >= 0 ? item : (previous >= 0 ? previous : 0);
    const bool several = selection_.Count() > 1;
    selection_.SelectOnly(list.NameAt(target));
    if (several) {
        Repaint();
    } else {
        if (previous >= 0) RedrawItem(previous);
        RedrawItem(target);
    }
    ReportCurrent();
}

void CThumbBrowser::OnRightClick(int x, int y) {
    userChose_ = true;
    const int item = ItemAt(x, y);
    const EntryNames list = List();
    if (item >= 0 && !selection_.Contains(list.NameAt(item))) {
        selection_.SelectOnly(list.NameAt(item));
        Repaint();
    }
    const MenuState state = ContextMenuState(items_, selection_.Count(), CurrentClass());
    for (int id = 1; id <= 5; ++id) {
        EnableMenuItem(menu_.get(), static_cast<UINT>(id),
                       MF_BYCOMMAND | (state.enabled[id - 1] ? MF_ENABLED : MF_GRAYED));
    }
    POINT at = {x, y};
    ClientToScreen(Handle(), &at);
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

void CThumbBrowser::DeleteSelected() {
    // The files are named before the question: while it is open the folder
    // watch's refresh still runs, and whatever it does to the list, OK
    // deletes what the user chose.
    std::vector<std::wstring> doomed;
    for (const std::u16string& name : selection_.Names()) doomed.push_back(PathOf(name));
    const std::wstring question = controller_.LanguageText("IDS_MSG_SUREDELETEITEM");
    if (MessageBoxW(Handle(), question.c_str(), L"Vimbrel", MB_OKCANCEL) != IDOK) return;
    for (const std::wstring& path : doomed) {
        // A file being played is still open: playback stops first.
        const std::wstring playing = controller_.GetCurrentFile();
        if (!playing.empty() && lstrcmpiW(playing.c_str(), path.c_str()) == 0) controller_.StopPlayback();
        DeleteFileW(path.c_str());
    }
    // The list follows through the folder watch; the deleted files then
    // leave the selection.
}

void CThumbBrowser::OnCommand(int id) {
    switch (id) {
    case 1: DeleteSelected(); break;
    case 2: controller_.CopySelectedTo(); break;
    case 3: controller_.MailSelected(); break;
    case 4: controller_.PrintSelected(); break;
    case 5: {
        std::wstring path;
        int cls = -1;
        if (GetCurrentFile(&path, &cls)) controller_.SetDesktopWallpaper(path);
        break;
    }
    default: break;
    }
}

LRESULT CThumbBrowser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (back_) {
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, back_.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        }
        // The column of the scroll bar: the bar paints itself (the window
        // clips its children); its margins above and below are the strip's.
        const RECT column = {drawWidth_, 0, client_.right, client_.bottom};
        FillRect(dc, &column, white_.get());
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;  // the back buffer covers everything
    case WM_VSCROLL: OnVScroll(wParam); return 0;
    case WM_LBUTTONDOWN: OnLeftClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam); return 0;
    case WM_LBUTTONDBLCLK:
        controller_.SetWheelMode(kModeBrowse, 1);
        controller_.SetMode(kModeBrowse);
        return 0;
    case WM_RBUTTONDOWN: OnRightClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= 1 && LOWORD(wParam) <= 5) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_BROWSE_REFRESH: Refresh(wParam); return 0;
    case WM_THUMBNAIL_READY: RedrawItem(static_cast<int>(lParam)); return 0;
    case WM_DESTROY:
        // The folder watch and the video workers end with the window, so
        // none of them posts to it once it is gone.
        cache_.Close();
        break;
    default: break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::browser
