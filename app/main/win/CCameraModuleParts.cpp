#include "CCameraModuleParts.h"

namespace vimbrel::mainwindow {

CCameraModuleParts::CCameraModuleParts(controller::CCameraController& owner, controller::CControllerCatalog& catalog)
    : module_(host_),
      binding_(module_, owner.Engine(), owner.Settings(), catalog.Items(), controller::ComPollThreadHooks()) {
    owner.AttachCameraModule(binding_);
}

}  // namespace vimbrel::mainwindow
