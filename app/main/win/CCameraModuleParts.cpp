#include "CCameraModuleParts.h"

#include "WindowsPollThread.h"

namespace vimbrel::mainwindow {

CCameraModuleParts::CCameraModuleParts(controller::CCameraController& owner, controller::CControllerCatalog& catalog,
                                       const controller::CBoardProductQuery& board)
    : host_(std::nullopt, [&board] { return board.Product(); }),
      module_(host_),
      binding_(module_, owner.Engine(), owner.Settings(), catalog.Items(), controller::ComPollThreadHooks(),
               controller::kRotationPollPeriod, controller::WindowsPollThread()) {
    owner.AttachCameraModule(binding_);
}

}  // namespace vimbrel::mainwindow
