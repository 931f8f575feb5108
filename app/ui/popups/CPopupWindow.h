// What the four item popups share: the setting and its current value, the
// hover index, the popup's own and its button's rectangles, placing the
// window right above its button, the title bar, and the rule for a mouse
// that leaves the popup (back into the button keeps it, elsewhere hides it).
#pragma once

#include "GdiplusSession.h"
#include "IItemPopup.h"
#include "IPopupController.h"
#include "PopupText.h"
#include "CSkinControl.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace vimbrel::ui {

// GDI+ colours the popups use besides the skin's.
namespace popup_colours {
constexpr Gdiplus::ARGB kWhiteLine = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kCellFrame = 0xFFA8A8A8;
constexpr Gdiplus::ARGB kSelection = 0xFFF0D264;
constexpr Gdiplus::ARGB kInnerSelection = 0xFF8A5202;
constexpr Gdiplus::ARGB kSelectedThumb = 0xFFF5D26A;
constexpr Gdiplus::ARGB kMoreText = 0xFF96A0AA;
constexpr Gdiplus::ARGB kSliderNumber = 0xFFEFD161;
}  // namespace popup_colours

// Skin colour table entries the popups use.
enum PopupSkinColour : int {
    kPopupBodyColour = 1,
    kPopupTitleColour = 2,
    kPopupTitleTextColour = 3,
    kPopupCurrentTextColour = 4,
    kPopupHoverTextColour = 5,
    kPopupTextColour = 6,
};

class CPopupWindow : public CSkinControl, public IItemPopup {
public:
    ~CPopupWindow() override = default;

    HWND Window() const override { return Handle(); }
    bool Rebuild(const RECT& buttonOnScreen, RECT& placed) override;

    int SettingId() const { return settingId_; }
    int CurrentValue() const { return currentValue_; }
    int HoverIndex() const { return hover_; }
    // The owning button in the popup's client coordinates.
    const RECT& ButtonRect() const { return buttonRect_; }

protected:
    explicit CPopupWindow(IPopupController& controller);

    // The setting's value, or -1 when it cannot be read.
    int ReadSetting(int settingId);
    // Creates the window of width x height with its bottom on the button's
    // top and writes that screen rectangle to `placed`.
    bool MakeWindow(const RECT& buttonOnScreen, int width, int height, DWORD exStyle, DWORD style, HWND owner,
                    HBRUSH background, RECT& placed);
    // Fades the window in and keeps the button's place relative to it.
    void FadeIn(const RECT& buttonOnScreen, const RECT& placed);
    void KeepButtonRect(const RECT& buttonOnScreen, const RECT& placed);

    // The mouse in client coordinates (captured: also outside the popup).
    virtual void OnMouseMove(int, int) {}
    // The window is about to show again: a popup that keeps its own mark
    // takes the setting's value again (another popup may have changed it).
    virtual void OnShowing() {}
    virtual void OnButtonUp(int, int) {}
    // Draws `area` of the popup onto `dc`: for WM_PAINT, and for WM_PRINT
    // when the popup prints itself.
    virtual void PaintTo(HDC dc, const RECT& area) = 0;
    virtual bool PrintsItself() const { return true; }
    // Frees what the popup holds besides its window; also on WM_DESTROY.
    virtual void Release() {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    bool InButton(int x, int y) const;
    // The mouse left the popup: it stays while the mouse is on the button,
    // else it hides; the capture goes either way.
    void LeaveTo(int x, int y);
    // Hides the window and stops watching the pointer.
    void Hide();
    // While shown, the popup watches where the pointer is: a click releases
    // the capture, and the trackbar takes it, so the popup's own mouse
    // messages cannot tell when the mouse has gone.
    void WatchPointer();

    Gdiplus::Color Skin(int index);
    std::wstring Title();
    const CPopupText& Text();
    // The title bar (0, 0, width, 16) and the body below it.
    void FillBars(Gdiplus::Graphics& graphics);
    void DrawTitle(Gdiplus::Graphics& graphics, float top);
    // The white border around the whole popup.
    void DrawBorder(Gdiplus::Graphics& graphics);
    void DrawLine(Gdiplus::Graphics& graphics, int y);

    IPopupController& controller_;
    CGdiplusSession gdiplus_;
    int settingId_ = 0;
    int currentValue_ = -1;
    int hover_ = -1;
    int width_ = 0, height_ = 0;
    RECT buttonRect_{};

private:
    std::unique_ptr<CPopupText> text_;
};

// Mouse coordinates of a mouse message (signed: the captured mouse can be
// left of or above the window).
inline int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace vimbrel::ui
