#include "CControllerSequenceHost.h"

namespace vimbrel::controller {

const EngineApi* CControllerSequenceHost::LoadedEngine() const {
    CEngineBinding& engine = controller_.Engine();
    return engine.IsLoaded() ? &engine.Api() : nullptr;
}

int CControllerSequenceHost::StartRecording(int panel) {
    switch (panel) {
    case 0: return controller_.StartVideoRecording();
    case 1: return controller_.StartVideoOnlyRecording();
    case 2: return controller_.StartAudioRecording();
    default: return 0;
    }
}

}  // namespace vimbrel::controller
