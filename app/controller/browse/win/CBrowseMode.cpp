#include "CBrowseMode.h"

#include "UnattachedParts.h"

namespace vimbrel::controller {

CBrowseMode::CBrowseMode(CCameraController& controller, const std::u16string& programFolder)
    : m_controller(controller),
      m_host(controller),
      m_control(BrowsePorts{m_host, m_tabs, m_canvas, m_prompt, m_progress, programFolder}) {}

// The worker ends before the ports it calls go (members go in reverse),
// and the controller stops calling into this object.
CBrowseMode::~CBrowseMode() {
    m_progress.Stop();
    if (m_attached) {
        static CUnattachedParts refusingStandIn;
        m_controller.AttachBrowse(refusingStandIn);
    }
}

void CBrowseMode::Attach() {
    m_controller.AttachBrowse(m_control);
    m_attached = true;
}

}  // namespace vimbrel::controller
