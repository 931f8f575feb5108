#pragma once
// The program's one controller, its catalogue and the object the skinned
// panels talk to. Built on first use over the running system: the settings
// key of the registry, the ANSI code page, the system clock, real windows,
// and the other parts of the controller once they attach. At the program's
// end the controller is shut down before its members go.

#include "CCameraController.h"
#include "CControllerCatalog.h"
#include "IPanelController.h"

namespace vimbrel::controller {

CCameraController& GetCameraController();
CControllerCatalog& GetControllerCatalog();
ui::IPanelController& GetPanelController();

// The application's start-up binding: the look, the catalogue and its item
// pictures, the settings, then camera.dll from the program folder. 1 when
// the engine is bound (once; later calls answer 1 at once).
int BindCameraEngine();

}  // namespace vimbrel::controller
