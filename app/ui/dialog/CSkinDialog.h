// A dialog shaped and painted by a skin: its size and background come from
// the skin's "back" picture, its outline and named areas from the "map"
// mask. The whole skin drags the window, but for one clickable rectangle.
#pragma once

#include "CMemoryPicture.h"
#include "CSkinSource.h"
#include "GdiplusSession.h"
#include "SkinPictures.h"
#include "SkinTypes.h"
#include "winowners/GdiOwners.h"
#include "framework/CDialog.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

namespace vimbrel::ui {

// The resource type of the main skin's configuration and pictures.
inline constexpr wchar_t kDialogSkinType[] = L"ZAVU_SKIN";

struct AreaRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class CSkinDialog : public framework::CDialog {
public:
    // skinSource empty: the program's own resources.
    CSkinDialog(UINT templateId, HWND parent, std::wstring skinSource, std::wstring configName);
    ~CSkinDialog() override;

    // The bounding box of an area of the mask; false when the key is not
    // one of its areas or the area is empty.
    bool GetRegionRect(Colour key, AreaRect& out) const;
    const std::vector<Colour>& AreaKeys() const { return keys_; }
    int SkinWidth() const { return width_; }
    int SkinHeight() const { return height_; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The one rectangle of the client area that is not a drag handle (the
    // about box's), with a hand cursor over it. Empty: none.
    void SetClickableRect(const RECT& rect) { clickable_ = rect; }
    const RECT& ClickableRect() const { return clickable_; }
    // Strictly inside: the rectangle's own edges still drag the window.
    bool InClickableRect(POINT client) const;

    HDC WindowDC() const { return windowDC_.get(); }
    Gdiplus::Graphics* Surface() const { return surface_.get(); }

private:
    bool LoadSkin();
    HBRUSH ControlBrush(HDC dc, HWND control);
    void ReleaseSkin();

    CSkinSource source_;
    std::wstring configName_;
    std::unique_ptr<CGdiplusSession> gdiplus_;
    int width_ = 0, height_ = 0;
    CPatternBrush back_;
    CMemoryPicture memory_;
    winowners::UniqueBrush controlBrush_;  // from the memory bitmap; rebuilt when dirty
    bool controlBrushDirty_ = true;
    winowners::UniqueWindowDC windowDC_;
    std::unique_ptr<Gdiplus::Graphics> surface_;
    std::vector<Colour> keys_;
    std::vector<winowners::UniqueRegion> areas_;
    HCURSOR hand_ = nullptr, arrow_ = nullptr;
    RECT clickable_{};
};

}  // namespace vimbrel::ui
