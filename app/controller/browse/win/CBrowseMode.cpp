#include "CBrowseMode.h"

namespace vimbrel::controller {

CBrowseMode::CBrowseMode(CCameraController& controller, const std::u16string& programFolder)
    : m_controller(controller),
      m_host(controller),
      m_control(BrowsePorts{m_host, m_tabs, m_canvas, m_prompt, m_progress, programFolder}) {}

// The worker ends before the ports it calls go (members go in reverse).
CBrowseMode::~CBrowseMode() { m_progress.Stop(); }

void CBrowseMode::Attach() { m_controller.AttachBrowse(m_control); }

}  // namespace vimbrel::controller
