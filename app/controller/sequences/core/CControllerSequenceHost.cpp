#include "CControllerSequenceHost.h"

namespace vimbrel::controller {

const EngineApi* CControllerSequenceHost::LoadedEngine() const {
    CEngineBinding& engine = m_controller.Engine();
    return engine.IsLoaded() ? &engine.Api() : nullptr;
}

int CControllerSequenceHost::StartRecording(int panel) {
    switch (panel) {
    case 0: return m_controller.StartVideoRecording();
    case 1: return m_controller.StartVideoOnlyRecording();
    case 2: return m_controller.StartAudioRecording();
    default: return 0;
    }
}

}  // namespace vimbrel::controller
