// The popup of a colour item: a 7 x 6 palette and a "more." line that
// opens the system colour dialog. Drawn into a memory picture that the
// window copies; single cells and "more." are redrawn in place.
#pragma once

#include "CBufferedPopup.h"

namespace vimbrel::ui {

class CPopupList : public CBufferedPopup {
public:
    explicit CPopupList(IPopupController& controller);
    ~CPopupList() override;

    bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) override;

    int SelectedCell() const { return selected_; }
    bool MoreHovered() const { return moreHover_; }

private:
    void DrawAll();
    void DrawCell(int cell);
    void DrawMore();
    void OnMouseMove(int x, int y) override;
    void OnButtonUp(int x, int y) override;
    void ChooseOtherColour();

    int selected_ = -1;
    bool moreHover_ = false;
};

}  // namespace vimbrel::ui
