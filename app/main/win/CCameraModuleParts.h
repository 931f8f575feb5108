// The camera module (the notebook's own camera driver helper, found by the
// camera's name) and its rotation poll, joined to the controller on the
// running system.
#pragma once

#include "CBoardProductQuery.h"
#include "CCameraController.h"
#include "CCameraModule.h"
#include "CCameraModuleBinding.h"
#include "CControllerCatalog.h"
#include "CWindowsModuleHost.h"

namespace vimbrel::mainwindow {

class CCameraModuleParts {
public:
    // Attaches itself to owner as its camera module. board: used, not
    // owned; outlives this object.
    CCameraModuleParts(controller::CCameraController& owner, controller::CControllerCatalog& catalog,
                       const controller::CBoardProductQuery& board);
    // The poll thread ends before the module goes.
    ~CCameraModuleParts() { binding_.StopRotationPoll(); }
    CCameraModuleParts(const CCameraModuleParts&) = delete;
    CCameraModuleParts& operator=(const CCameraModuleParts&) = delete;

private:
    controller::CWindowsModuleHost host_;
    controller::CCameraModule module_;
    controller::CCameraModuleBinding binding_;
};

}  // namespace vimbrel::mainwindow
