#include "CControllerBrowseHost.h"

namespace vimbrel::controller {

const EngineApi* CControllerBrowseHost::LoadedEngine() const {
    CEngineBinding& engine = controller_.Engine();
    return engine.IsLoaded() ? &engine.Api() : nullptr;
}

}  // namespace vimbrel::controller
