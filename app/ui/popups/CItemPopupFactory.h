// Makes the popup of each item type for the function panel's buttons.
#pragma once

#include "IItemPopup.h"
#include "IPopupController.h"

namespace vimbrel::ui {

class CItemPopupFactory : public IItemPopupFactory {
public:
    explicit CItemPopupFactory(IPopupController& controller) : controller_(controller) {}
    std::unique_ptr<IItemPopup> MakePopup(int itemType) override;

private:
    IPopupController& controller_;
};

}  // namespace vimbrel::ui
