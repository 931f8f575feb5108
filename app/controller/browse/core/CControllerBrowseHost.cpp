#include "CControllerBrowseHost.h"

namespace vimbrel::controller {

const EngineApi* CControllerBrowseHost::LoadedEngine() const {
    CEngineBinding& engine = m_controller.Engine();
    return engine.IsLoaded() ? &engine.Api() : nullptr;
}

}  // namespace vimbrel::controller
