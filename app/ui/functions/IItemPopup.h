// The popup an item button opens above itself, as the button sees it. The
// four kinds (icon rows, slider, image grid, colour palette) implement it;
// the button owns one per kind it uses, made through the factory.
#pragma once

#include <windows.h>

#include <memory>

namespace vimbrel::ui {

class IItemPopup {
public:
    virtual ~IItemPopup() = default;
    // The popup's window; null until Create made it (and after it went).
    virtual HWND Window() const = 0;
    // Makes the popup for `settingId`, owned by the button `owner` whose
    // screen rectangle is `buttonOnScreen`; it places itself above the
    // button, fades in and writes its screen rectangle to `placed`. False
    // when it is not up.
    virtual bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) = 0;
    // Rebuilds the rows against the button's rectangle and writes where
    // the popup belongs to `placed`; false for kinds without rows or on
    // failure.
    virtual bool Rebuild(const RECT& buttonOnScreen, RECT& placed) = 0;
};

class IItemPopupFactory {
public:
    virtual ~IItemPopupFactory() = default;
    // A popup object of an item type 0..3, with no window yet; null for
    // other types.
    virtual std::unique_ptr<IItemPopup> MakePopup(int itemType) = 0;
};

}  // namespace vimbrel::ui
