#include "CBrowseTabs.h"
#include "winowners/GdiOwners.h"

#include "BrowserMessages.h"
#include "CaptureNaming.h"
#include "ClassBrush.h"
#include "DataRoot.h"
#include "FilePaths.h"
#include "ModeMessages.h"
#include "SkinImageLoader.h"
#include "SkinPictures.h"
#include "WideText.h"

#include <windowsx.h>

namespace vimbrel::browser {
namespace {

constexpr int kLookCount = 4;
constexpr TabLook kLooks[kLookCount] = {TabLook::Selected, TabLook::Normal, TabLook::SelectedHover,
                                        TabLook::NormalHover};

int LookIndex(TabLook look) { return static_cast<int>(look); }

std::unique_ptr<Gdiplus::Bitmap> BrowsePicture(const std::u16string& name) {
    const std::wstring wide = CopyToWide(name);
    return ui::LoadSkinImage(wide.c_str(), ui::SkinSourceKind::OwnResources, nullptr, L"BROWSE");
}

// Copies a folder path into a caller's 260-unit buffer; a path that does not
// fit is refused rather than cut, since a cut path names another folder.
bool CopyFolder(const std::wstring& folder, wchar_t* out) {
    if (!controller::FitsBuffer(CopyToU16(folder), controller::kPathCapacity)) return false;
    folder.copy(out, folder.size());
    out[folder.size()] = L'\0';
    return true;
}

RECT AsRect(const TabBox& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

}  // namespace

CBrowseTabs::CBrowseTabs(IBrowseTabsController& tabsController, IBrowseController& browseController)
    : controller_(tabsController) {
    for (auto& browser : browsers_) browser = std::make_unique<CThumbBrowser>(browseController);
}

CBrowseTabs::~CBrowseTabs() {
    // The strip goes first; its children, the browsers, go with it, and each
    // browser object then closes its cache.
    Destroy();
    ReleaseSurfaces();
}

bool CBrowseTabs::MakeFolders(std::array<std::wstring, kTabCount>& folders) const {
    const std::wstring root = dataRoot_.empty() ? controller::DataRoot() : dataRoot_;
    if (root.empty()) return false;
    for (int kind = controller::kMediaImage; kind < controller::kMediaKindCount; ++kind) {
        folders[static_cast<size_t>(kind)] = CopyToWide(controller::MediaFolderPath(CopyToU16(root), kind));
        // The whole chain is made: the data root itself may not exist yet
        // on a fresh system, and "\Vimbrel" comes on the way.
        if (!controller::EnsureFolderExists(folders[static_cast<size_t>(kind)])) return false;
    }
    return true;
}

int CBrowseTabs::Create(HWND parent, const RECT& rect, wchar_t* imageFolder, wchar_t* videoFolder, wchar_t* audioFolder,
                        wchar_t* monitorFolder) {
    wchar_t* const out[kTabCount] = {imageFolder, videoFolder, audioFolder, monitorFolder};
    for (wchar_t* buffer : out) {
        if (!buffer) return 0;
    }
    if (!parent || Handle()) return 0;

    // The class keeps its brush for as long as the process runs (one per
    // colour), so the strip fills with that brush and never deletes it.
    background_ = controller_.StripBackground();
    backgroundBrush_ = ui::KeptClassBrush(background_);
    const wchar_t* cls = framework::RegisterAnonymousClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                                                           backgroundBrush_);
    if (!cls || !CWindow::Create(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0)) return 0;
    GetClientRect(Handle(), &client_);

    std::array<std::wstring, kTabCount> folders;
    if (!MakeFolders(folders)) return 0;
    for (int kind = 0; kind < kTabCount; ++kind) {
        if (!CopyFolder(folders[static_cast<size_t>(kind)], out[kind])) return 0;
    }

    // A browser that cannot be made stays without a window; the strip
    // carries on with the others.
    const RECT browserRect = {0, kTabHeight, client_.right, client_.bottom};
    for (int kind = 0; kind < kTabCount; ++kind) {
        CThumbBrowser& browser = *browsers_[static_cast<size_t>(kind)];
        if (!dataRoot_.empty()) browser.SetCacheDataRoot(dataRoot_);
        browser.Create(Handle(), browserRect, folders[static_cast<size_t>(kind)].c_str(), kind);
        if (kind != shown_ && browser.Handle()) ShowWindow(browser.Handle(), SW_HIDE);
    }

    LoadPictures();
    if (!MakeBackBuffer()) return 0;
    DrawStrip();
    Present();

    tooltip_ = ui::CreateSkinTooltip(Handle());
    for (int tab = 0; tab < kTabCount; ++tab) {
        ui::AddSkinTool(tooltip_, Handle(), static_cast<UINT_PTR>(TabToolId(tab)), AsRect(TabBounds(tab)),
                        controller_.TabTipText(TabTipKey(tab)));
    }
    return 1;
}

void CBrowseTabs::LoadPictures() {
    for (int tab = 0; tab < kTabCount; ++tab) {
        for (TabLook look : kLooks) {
            tabPictures_[static_cast<size_t>(tab * kLookCount + LookIndex(look))] = BrowsePicture(
                TabPictureName(tab, look));
        }
    }
    stripEnd_ = BrowsePicture(kStripEndPicture);
}

bool CBrowseTabs::MakeBackBuffer() {
    const int width = client_.right > 0 ? client_.right : 1;
    {
        const auto screen = winowners::GetDCOwner(nullptr);
        back_.reset(CreateCompatibleDC(screen.get()));
        backBitmap_.reset(CreateCompatibleBitmap(screen.get(), width, kTabHeight));
    }
    if (!back_ || !backBitmap_) return false;
    backOld_ = SelectObject(back_.get(), backBitmap_.get());
    return true;
}

bool CBrowseTabs::DrawTab(int tab, bool clicked) {
    if (!IsTab(tab) || !back_) return false;
    RECT area = AsRect(TabBounds(tab));
    FillRect(back_.get(), &area, backgroundBrush_);
    const TabLook look = ChooseTabLook(tab, selected_, hover_.Current(), clicked);
    Gdiplus::Bitmap* picture = tabPictures_[static_cast<size_t>(tab * kLookCount + LookIndex(look))].get();
    if (!picture) return false;
    Gdiplus::Graphics g(back_.get());
    g.DrawImage(picture, area.left, area.top, kTabWidth, kTabHeight);
    return true;
}

void CBrowseTabs::DrawStrip() {
    if (!back_) return;
    RECT strip = {0, 0, client_.right, kTabHeight};
    FillRect(back_.get(), &strip, backgroundBrush_);
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (!DrawTab(tab, false)) return;
    }
    if (!stripEnd_) return;
    Gdiplus::Graphics g(back_.get());
    g.DrawImage(stripEnd_.get(), kStripEndX, 0, static_cast<int>(stripEnd_->GetWidth()),
                static_cast<int>(stripEnd_->GetHeight()));
}

void CBrowseTabs::Present() {
    if (!Handle() || !back_) return;
    const auto dc = winowners::GetDCOwner(Handle());
    if (!dc) return;
    BitBlt(dc.get(), 0, 0, client_.right, kTabHeight, back_.get(), 0, 0, SRCCOPY);
}

int CBrowseTabs::SelectTab(int mediaKind) {
    if (!IsTab(mediaKind)) return 0;
    selected_ = mediaKind;
    if (mediaKind == shown_) return 1;

    const int old = shown_;
    DrawTab(mediaKind, true);
    DrawTab(old, false);

    std::wstring path;
    int mediaClass = -1;
    CThumbBrowser& browser = *browsers_[static_cast<size_t>(mediaKind)];
    if (!browser.GetCurrentFile(&path, &mediaClass)) {
        // No items: the controller clears the picture.
        path.clear();
        mediaClass = -1;
    }
    controller_.ShowBrowseFile(path, mediaClass);

    for (int kind = 0; kind < kTabCount; ++kind) {
        HWND window = browsers_[static_cast<size_t>(kind)]->Handle();
        if (window) ShowWindow(window, kind == mediaKind ? SW_SHOW : SW_HIDE);
    }
    if (browser.Handle()) RedrawWindow(browser.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    shown_ = mediaKind;
    Present();
    return 1;
}

int CBrowseTabs::GetCurrentFile(std::wstring* path, int* mediaClass) const {
    if (!path || !mediaClass) return 0;
    return browsers_[static_cast<size_t>(selected_)]->GetCurrentFile(path, mediaClass);
}

int CBrowseTabs::GetSelectedFile(int* index, std::wstring* path, int* mediaClass) const {
    return browsers_[static_cast<size_t>(selected_)]->GetSelectedFile(index, path, mediaClass);
}

int CBrowseTabs::Navigate(int direction, int* moved) {
    return browsers_[static_cast<size_t>(selected_)]->Navigate(direction, moved);
}

void CBrowseTabs::ApplyHover(const HoverChange& change) {
    if (change.capture && GetCapture() != Handle()) SetCapture(Handle());
    for (int tab : change.redraw) {
        if (tab >= 0) DrawTab(tab, false);
    }
    Present();
    // Given back last: the capture-changed notice then finds no tab under
    // the mouse and leaves the strip alone.
    if (change.release && GetCapture() == Handle()) ReleaseCapture();
}

void CBrowseTabs::OnMouseMove(int x, int y) { ApplyHover(hover_.MouseAt(TabAt(x, y))); }

void CBrowseTabs::OnCaptureLost() { ApplyHover(hover_.CaptureLost()); }

void CBrowseTabs::OnClick(int x, int y) {
    const int tab = TabAt(x, y);
    // Clicking the tab already shown changes nothing, so it does not ask the
    // user about a modified photo either.
    if (tab < 0 || tab == shown_) return;
    // Only "nothing to save" switches; after a saved copy or Cancel the
    // strip stays as it was.
    if (controller_.QuerySaveModified() != 7) return;
    SelectTab(tab);
}

bool CBrowseTabs::PreTranslateMessage(MSG& msg) {
    ui::RelayToTooltip(tooltip_, msg);
    return false;
}

void CBrowseTabs::ReleaseSurfaces() {
    if (back_ && backOld_) SelectObject(back_.get(), backOld_);
    backOld_ = nullptr;
    back_.reset();
    backBitmap_.reset();
}

LRESULT CBrowseTabs::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (back_) BitBlt(dc, 0, 0, client_.right, kTabHeight, back_.get(), 0, 0, SRCCOPY);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDBLCLK: return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) OnCaptureLost();
        return 0;
    case ui::WM_MODE_CHANGED: {
        const int tab = TabOfMode(static_cast<int>(wParam));
        if (tab >= 0) SelectTab(tab);
        return 0;
    }
    case WM_BROWSE_REFRESH: browsers_[static_cast<size_t>(selected_)]->ResetView(); return 0;
    case WM_DESTROY:
        if (tooltip_) DestroyWindow(tooltip_);
        tooltip_ = nullptr;
        if (GetCapture() == Handle()) ReleaseCapture();
        ReleaseSurfaces();
        break;
    default: break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::browser
