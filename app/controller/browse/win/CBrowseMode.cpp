#include "CBrowseMode.h"

#include "UnattachedParts.h"

namespace vimbrel::controller {

CBrowseMode::CBrowseMode(CCameraController& controller, const std::u16string& programFolder)
    : controller_(controller),
      host_(controller),
      control_(BrowsePorts{host_, tabs_, canvas_, prompt_, progress_, programFolder}) {}

// The worker ends before the ports it calls go (members go in reverse),
// and the controller stops calling into this object.
CBrowseMode::~CBrowseMode() {
    progress_.Stop();
    if (attached_) {
        static CUnattachedParts refusingStandIn;
        controller_.AttachBrowse(refusingStandIn);
    }
}

void CBrowseMode::Attach() {
    controller_.AttachBrowse(control_);
    attached_ = true;
}

}  // namespace vimbrel::controller
