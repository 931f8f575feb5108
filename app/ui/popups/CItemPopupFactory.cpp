#include "CItemPopupFactory.h"

#include "CPopupIcons.h"
#include "CPopupImages.h"
#include "CPopupList.h"
#include "CPopupSlider.h"
#include "IFunctionPanelController.h"

namespace vimbrel::ui {

std::unique_ptr<IItemPopup> CItemPopupFactory::MakePopup(int itemType) {
    switch (itemType) {
    case kItemTypeList: return std::make_unique<CPopupIcons>(controller_);
    case kItemTypeSlider: return std::make_unique<CPopupSlider>(controller_);
    case kItemTypeImage: return std::make_unique<CPopupImages>(controller_);
    case kItemTypeColour: return std::make_unique<CPopupList>(controller_);
    default: return nullptr;
    }
}

}  // namespace vimbrel::ui
