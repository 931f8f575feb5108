#include "CPanelControllerAdapter.h"

namespace vimbrel::controller {

double CPanelControllerAdapter::GetAudioVolume() {
    double volume = m_controller.GetAudioVolume();
    return volume >= 0.0 && volume <= 1.0 ? volume : 0.0;
}

double CPanelControllerAdapter::GetPlaybackVolume() {
    double volume = 0.0;
    if (!m_controller.GetPlaybackVolume(&volume) || !(volume >= 0.0 && volume <= 1.0)) return 0.0;
    return volume;
}

}  // namespace vimbrel::controller
