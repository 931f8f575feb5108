// The popup of a list item: one text row per enabled catalogue entry, an
// icon per row for five settings, a marker on the current value's row.
// A click applies the row's entry and hides the popup.
#pragma once

#include "CPopupWindow.h"

#include <memory>
#include <vector>

namespace vimbrel::ui {

class CPopupIcons : public CPopupWindow {
public:
    explicit CPopupIcons(IPopupController& controller);
    ~CPopupIcons() override;

    bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) override;
    bool Rebuild(const RECT& buttonOnScreen, RECT& placed) override;

    int RowCount() const { return count_; }

private:
    // Always the whole popup: the rows' colours depend on each other.
    void PaintTo(HDC dc, const RECT& area) override;
    // Fetches the entries and counts the enabled ones; false without an
    // item or without enabled entries.
    bool FetchEntries();
    void OnMouseMove(int x, int y) override;
    void OnButtonUp(int x, int y) override;
    void Release() override;

    std::vector<PopupEntry> entries_;
    int count_ = 0;
    std::unique_ptr<Gdiplus::Bitmap> highlight_;
    std::unique_ptr<Gdiplus::Bitmap> strip_;
};

}  // namespace vimbrel::ui
