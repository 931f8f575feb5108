#include "CPanelControllerAdapter.h"

namespace vimbrel::controller {

double CPanelControllerAdapter::GetAudioVolume() {
    double volume = controller_.GetAudioVolume();
    return volume >= 0.0 && volume <= 1.0 ? volume : 0.0;
}

double CPanelControllerAdapter::GetPlaybackVolume() {
    double volume = 0.0;
    if (!controller_.GetPlaybackVolume(&volume) || !(volume >= 0.0 && volume <= 1.0)) return 0.0;
    return volume;
}

}  // namespace vimbrel::controller
